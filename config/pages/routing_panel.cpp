#include "config/pages/routing_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "config/config_strings.h"
#include "config/pages/page_data.h"
#include "config/pages/page_phone_line.h"
#include "config/pages/page_voice_modem.h"
#include "config/pages/port_settings.h"
#include "config/pages/profile_page.h"
#include "config/pages/sheet_state.h"
#include "config/resource_ids.h"
#include "profile/profile.h"
#include "ui/resource_id.h"

namespace config::pages {

using namespace config::routing;

namespace {

std::optional<std::int32_t> numberOf(std::int32_t choice) {
    if (choice == kFirstNumber) return 1;
    if (choice == kSecondNumber) return 2;
    return std::nullopt;
}

std::uint8_t& byteOf(int number) {
    return number == 0 ? Sheet().t1 : Sheet().t2;
}

void select(QComboBox* box, std::int32_t code) {
    box->setCurrentIndex(box->findData(code));
}

}  // namespace

routing::Assignments CurrentAssignments(const CProfile& profile) {
    Assignments a;
    if (profile.number1.empty() && profile.number2.empty()) return a;
    const SheetState& sheet = Sheet();
    const std::uint8_t s = profile.portSettings;
    const std::string& n1 = profile.number1;
    const std::string& n2 = profile.number2;
    a.p1 = numberOf(sheet.phone1 ? sheet.phone1->numberChoice()
                                 : ReadPortNumber(s, kPort1Bit, n1, n2));
    a.p2 = numberOf(sheet.phone2 ? sheet.phone2->numberChoice()
                                 : ReadPortNumber(s, kPort2Bit, n1, n2));
    const std::int32_t m = sheet.voiceModem ? sheet.voiceModem->numberChoice()
                                            : ReadAssignment(s, kVoiceModemBits, n1, n2);
    if (const auto pair = NumbersOfChoice(m)) std::tie(a.m1, a.m2) = *pair;
    const CPageData* data = sheet.protocolPage();
    const std::int32_t d = data ? data->numberChoice() : ReadAssignment(s, kDataBits, n1, n2);
    if (const auto pair = NumbersOfChoice(d)) std::tie(a.d1, a.d2) = *pair;
    return a;
}

RoutingPanel::RoutingPanel(QWidget* page, QGridLayout* grid, int row) : QObject(page) {
    grid->addWidget(new QLabel(QStringLiteral("Sprache"), page), row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Daten"), page), row, 2);
    const int voiceIds[] = {IDC_ROUTE_VOICE1, IDC_ROUTE_VOICE2};
    const int dataIds[] = {IDC_ROUTE_DATA1, IDC_ROUTE_DATA2};
    const int labelIds[] = {IDC_ROUTE_LABEL1, IDC_ROUTE_LABEL2};
    for (int n = 0; n < 2; ++n) {
        label_[n] = new QLabel(page);
        voiceBox_[n] = new QComboBox(page);
        dataBox_[n] = new QComboBox(page);
        ui::setResourceId(label_[n], labelIds[n]);
        ui::setResourceId(voiceBox_[n], voiceIds[n]);
        ui::setResourceId(dataBox_[n], dataIds[n]);
        voiceBox_[n]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        dataBox_[n]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        label_[n]->setBuddy(voiceBox_[n]);
        grid->addWidget(label_[n], row + 1 + n, 0);
        grid->addWidget(voiceBox_[n], row + 1 + n, 1);
        grid->addWidget(dataBox_[n], row + 1 + n, 2);
        connect(voiceBox_[n], &QComboBox::activated, this, &RoutingPanel::voiceChosen);
        connect(dataBox_[n], &QComboBox::activated, this, &RoutingPanel::dataChosen);
    }
}

void RoutingPanel::setUp(const CProfile& profile, std::int32_t deviceKind,
                         const std::string& path) {
    filling_ = true;
    SheetState& sheet = Sheet();
    const Assignments a = CurrentAssignments(profile);
    voice_ = LoadVoiceRouting(path, SectionName(VariantOf(deviceKind, profile.potsAvailable), a));
    data_ = a.d1 && a.d2 ? DataRule({*a.d1, *a.d2}) : std::nullopt;

    // The pairs the bytes stand for; without one the default pair applies.
    Pair voicePair{kNotAnswered, kNotAnswered};
    const Pair handling{VoiceHandling(sheet.t1), VoiceHandling(sheet.t2)};
    if (auto found = voice_.find(handling)) {
        voicePair = *found;
    } else if (voice_.defaultPair) {
        voicePair = *voice_.defaultPair;
        if (auto applied = voice_.apply(voicePair)) {
            SetVoiceHandling(sheet.t1, applied->first);
            SetVoiceHandling(sheet.t2, applied->second);
        }
    }
    Pair dataPair{kNotAnswered, kNotAnswered};
    if (data_) {
        if (auto found = data_->find({DataHandling(sheet.t1), DataHandling(sheet.t2)})) {
            dataPair = *found;
        } else {
            dataPair = data_->defaultPair;
            const auto bits = data_->apply(dataPair);
            SetDataHandling(sheet.t1, bits->first);
            SetDataHandling(sheet.t2, bits->second);
        }
    }

    const bool any = !(profile.number1.empty() && profile.number2.empty());
    const bool two = any && !OneNumberOnly(profile.number1, profile.number2);
    const std::string* numbers[] = {&profile.number1, &profile.number2};
    const std::int32_t voiceChoice[] = {voicePair.first, voicePair.second};
    const std::int32_t dataChoice[] = {dataPair.first, dataPair.second};
    for (int n = 0; n < 2; ++n) {
        const bool shown = n == 0 ? any : two;
        QString text = Tr(57355);
        text.replace(QLatin1String("%d"), QString::number(n + 1));
        text.replace(QLatin1String("%s"),
                     numbers[n]->empty() ? Tr(57396) : QString::fromStdString(*numbers[n]));
        label_[n]->setText(text);
        voiceBox_[n]->clear();
        dataBox_[n]->clear();
        if (shown) {
            for (std::int32_t code : n == 0 ? voice_.offered1 : voice_.offered2) {
                const std::int32_t shownCode =
                    DisplayedVoiceDestination(code, sheet.port1On, sheet.port2On);
                voiceBox_[n]->addItem(QString::fromUtf8(DestinationName(shownCode)), code);
            }
            if (data_)
                for (std::int32_t code : n == 0 ? data_->offered1 : data_->offered2)
                    dataBox_[n]->addItem(QString::fromUtf8(DestinationName(code)), code);
            select(voiceBox_[n], voiceChoice[n]);
            select(dataBox_[n], dataChoice[n]);
        }
        label_[n]->setEnabled(shown);
        voiceBox_[n]->setEnabled(shown);
        dataBox_[n]->setEnabled(shown);
    }
    filling_ = false;
}

void RoutingPanel::voiceChosen() {
    if (filling_) return;
    const Pair pair{voiceBox_[0]->currentData().toInt(), voiceBox_[1]->currentIndex() >= 0
                                                             ? voiceBox_[1]->currentData().toInt()
                                                             : kNotAnswered};
    if (const auto handling = voice_.apply(pair)) {
        SetVoiceHandling(byteOf(0), handling->first);
        SetVoiceHandling(byteOf(1), handling->second);
    }
}

void RoutingPanel::dataChosen() {
    if (filling_ || !data_) return;
    const Pair pair{dataBox_[0]->currentData().toInt(), dataBox_[1]->currentIndex() >= 0
                                                            ? dataBox_[1]->currentData().toInt()
                                                            : kNotAnswered};
    if (const auto bits = data_->apply(pair)) {
        SetDataHandling(byteOf(0), bits->first);
        SetDataHandling(byteOf(1), bits->second);
    }
}

}  // namespace config::pages
