#include "wizard/page_rw_numbers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "wizard/page_rw_finish.h"
#include "wizard/page_rw_route.h"
#include "wizard/resource_ids.h"

namespace wizard {

namespace {

constexpr int kNumberChars = 20;
constexpr std::uint32_t IDS_INVALID_CHARACTER = 1154;
constexpr std::uint32_t IDS_SEMICOLON_AT_END = 1404;
constexpr std::uint32_t IDS_SAME_NUMBERS = 1158;
constexpr int kFieldIds[2] = {IDC_RW_NUMBER1, IDC_RW_NUMBER2};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The two sockets of the device, drawn in colour where a port is used
// (pictures 189 both, 190 the first, 191 the second).
QPixmap portsPicture(bool first, bool second) {
    QPixmap pixmap(132, 56);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
    p.setBrush(QColor(0xe4, 0xe4, 0xe4));
    p.drawRoundedRect(QRectF(2, 2, 128, 52), 6, 6);
    const bool used[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        p.setBrush(used[i] ? QColor(0x2e, 0x7d, 0x32) : QColor(0xb0, 0xb0, 0xb0));
        p.drawRect(QRectF(18 + i * 60, 16, 36, 24));
        p.setPen(Qt::white);
        p.drawText(QRectF(18 + i * 60, 16, 36, 24), Qt::AlignCenter, QString::number(i + 1));
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
    }
    return pixmap;
}

}  // namespace

std::uint32_t PortNumberFault(std::string_view typed) {
    for (char c : typed)
        if (!isDigit(c) && c != ' ' && c != '-' && c != ';') return IDS_INVALID_CHARACTER;
    const std::string_view t = trimmed(typed);
    if (!t.empty() && (t.front() == ';' || t.back() == ';')) return IDS_SEMICOLON_AT_END;
    return 0;
}

std::string StoredPortNumber(std::string_view typed) {
    std::string out;
    for (char c : typed)
        if (isDigit(c) || c == ' ' || c == ';') out += c;
    return out;
}

PortNumbersPage::PortNumbersPage(int dialogId, const char* label1, const char* label2)
    : CWizardPage(dialogId, QStringLiteral("ISDN-Nummern konfigurieren"), PageRole::Middle),
      labels_{label1, label2},
      typed_{State().number1, State().number2} {}

void PortNumbersPage::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT,
            QStringLiteral("Geben Sie für jeden benutzten Port die ISDN-Nummer (MSN) ein, auf die "
                           "er antworten soll. Ein leeres Feld beantwortet alle Anrufe; eine "
                           "zweite Nummer für denselben Port trennen Sie mit \";\"."));
    auto* row = new QHBoxLayout;
    auto* form = new QFormLayout;
    for (int i = 0; i < 2; ++i) {
        auto* edit = new QLineEdit(this);
        ui::setResourceId(edit, kFieldIds[i]);
        edit->setMaxLength(kNumberChars);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                              (kNumberChars + 2));
        auto* label = new QLabel(QString::fromUtf8(labels_[i]), this);
        label->setBuddy(edit);
        form->addRow(label, edit);
    }
    row->addLayout(form);
    auto* picture = new QLabel(this);
    ui::setResourceId(picture, IDC_RW_PORTS_PICTURE);
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addStretch(1);
    body->addLayout(row);
}

void PortNumbersPage::doDataExchange(ui::DataExchange& dx) {
    dx.text(IDC_RW_NUMBER1, typed_[0]);
    dx.text(IDC_RW_NUMBER2, typed_[1]);
}

// The answers of the page before may have changed since the last visit.
bool PortNumbersPage::onSetActive() {
    const WizardState& s = State();
    const bool used[2] = {!s.port1NotUsed, !s.port2NotUsed};
    for (int i = 0; i < 2; ++i) {
        auto* edit = ui::findControl<QLineEdit>(this, kFieldIds[i]);
        if (!used[i]) edit->clear();
        edit->setEnabled(used[i]);
    }
    if (auto* picture = ui::findControl<QLabel>(this, IDC_RW_PORTS_PICTURE))
        picture->setPixmap(portsPicture(used[0], used[1]));
    return CWizardPage::onSetActive();
}

bool PortNumbersPage::checkField(int id, const std::string& text) {
    if (const std::uint32_t fault = PortNumberFault(text)) {
        messageBox(fault, ui::Icon::Warning);
        if (auto* edit = ui::findControl<QLineEdit>(this, id)) edit->setFocus();
        return false;
    }
    return true;
}

int PortNumbersPage::onWizardNext() {
    if (!updateData(true)) return -1;
    WizardState& s = State();
    if (!checkField(IDC_RW_NUMBER1, typed_[0])) return -1;
    if (s.twoNumbers) {
        if (!checkField(IDC_RW_NUMBER2, typed_[1])) return -1;
        const std::string_view second = trimmed(typed_[1]);
        if (!second.empty() && second == trimmed(typed_[0]) &&
            messageBox(IDS_SAME_NUMBERS, ui::Icon::Warning, ui::Buttons::YesNo) != ui::IDYES)
            return -1;
    }
    s.number1 = s.port1NotUsed ? std::string() : StoredPortNumber(typed_[0]);
    s.number2 = s.port2NotUsed ? std::string() : StoredPortNumber(typed_[1]);
    if (!s.twoNumbers) s.number2 = s.number1;
    return next();
}

CPortNumbersRW::CPortNumbersRW()
    : PortNumbersPage(IDD_PORT_NUMBERS_RW, "Telefonport &1:", "Telefonport &2:") {}

int CPortNumbersRW::next() {
    const WizardState& s = State();
    const bool named = s.regionCode == kRegionNamingSwitch &&
                       (IsBox(s.deviceKind) || s.deviceKind == kDevicePci) &&
                       s.called != WizCalledKnownConnection;
    return named ? goNext<CWizFinishROWRegion>() : goNext<CWizFinishROW>();
}

CWizPortPro::CWizPortPro() : PortNumbersPage(IDD_WIZ_PORT_PRO, "&Telefonport:", "&Modem:") {}

int CWizPortPro::next() {
    return GoToFinishPro(*this);
}

}  // namespace wizard
