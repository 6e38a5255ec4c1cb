#include "wizard/pages_na/wiz_auto_spid.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/pages_na/spid_choice.h"
#include "wizard/pages_na/spid_details_dlg.h"
#include "wizard/pages_na/wiz_finish.h"
#include "wizard/resource_ids.h"

namespace wizard::na {

namespace {
constexpr std::uint32_t kMessageChooseNumber = 1208;
constexpr std::uint32_t kAskNotUsable = 1234;
constexpr const char* kUndetermined = "Undetermined";

const std::vector<NumberEntry>& listed() {
    return Na().spidList.numbers;
}

QListWidget* numberList(const QWidget* page) {
    return ui::findControl<QListWidget>(page, IDC_NA_NUMBER_LIST);
}
}  // namespace

CWizAutoSPID::CWizAutoSPID(int numberIndex)
    : CWizPageNA(IDD_WIZ_AUTO_SPID, QStringLiteral("Bitte Ihre-ISDN Nummern auswählen"),
                 PageRole::Middle),
      numberIndex_(numberIndex) {}

void CWizAutoSPID::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT, QString());
    addText(body, IDC_NA_PROMPT, QString());
    auto* list = new QListWidget(this);
    ui::setResourceId(list, IDC_NA_NUMBER_LIST);
    list->setIconSize(QSize(16, 16));
    body->addWidget(list, 1);
    auto* button = new QPushButton(QStringLiteral("&Details"), this);
    ui::setResourceId(button, IDC_NA_DETAILS);
    connect(button, &QPushButton::clicked, this, [this] { details(); });
    body->addWidget(button, 0, Qt::AlignRight);
}

bool CWizAutoSPID::usable(int entry) const {
    if (entry < 0 || entry >= int(choice_.size()) || choice_[std::size_t(entry)] < 0) return false;
    const SpidRecord& record =
        listed()[std::size_t(entry)].spids[std::size_t(choice_[std::size_t(entry)])];
    return record.available && (record.services & NeededServices(State().deviceKind)) ==
                                   NeededServices(State().deviceKind);
}

void CWizAutoSPID::markRows() {
    QListWidget* list = numberList(this);
    if (!list) return;
    const QIcon warning = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    // Usable rows get an empty icon of the same size, so the numbers line up.
    QPixmap blank(list->iconSize());
    blank.fill(Qt::transparent);
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setIcon(usable(row) ? QIcon(blank) : warning);
}

// Built anew whenever the line's list is not the one shown: the user went
// back and detected again.
void CWizAutoSPID::load() {
    std::vector<std::string> numbers;
    for (const NumberEntry& entry : listed()) numbers.push_back(entry.number);
    if (numbers == loaded_ && !choice_.empty()) return;
    loaded_ = numbers;
    choice_ = ChooseSpids(listed(), NeededServices(State().deviceKind));
    QListWidget* list = numberList(this);
    if (!list) return;
    list->clear();
    for (const std::string& number : numbers)
        list->addItem(QString::fromStdString(FormatDirectoryNumber(number)));
    markRows();
    const int taken = numberIndex_ == 2 ? Na().autoNumber1 : -1;
    list->setCurrentRow(PreselectedNumber(choice_, taken));
}

bool CWizAutoSPID::onSetActive() {
    load();
    const std::size_t count = listed().size();
    const bool needsTwo = IsKnownKind(State().deviceKind) || State().connection == ConnectionMLPPP;
    if (auto* text = ui::findControl<QLabel>(this, IDC_WIZ_TEXT))
        text->setText(QText(count == 1 && needsTwo ? 1310 : 1311));
    if (auto* prompt = ui::findControl<QLabel>(this, IDC_NA_PROMPT))
        prompt->setText(QText(count == 1 ? 1313 : numberIndex_ == 1 ? 1206 : 1205));
    return CWizPageNA::onSetActive();
}

int CWizAutoSPID::selected() const {
    const QListWidget* list = numberList(this);
    return list && list->currentItem() ? list->currentRow() : -1;
}

void CWizAutoSPID::details() {
    const int entry = selected();
    if (entry < 0 || entry >= int(listed().size())) return;
    // Another number of this page, or number 1 on the page for number 2.
    const auto usedElsewhere = [this, entry](const std::string& spid) {
        for (std::size_t n = 0; n < choice_.size(); ++n)
            if (int(n) != entry && choice_[n] >= 0 &&
                listed()[n].spids[std::size_t(choice_[n])].spid == spid)
                return true;
        return numberIndex_ == 2 && spid == State().spid1;
    };
    CSpidDetailsDlg box(listed()[std::size_t(entry)], choice_[std::size_t(entry)],
                        State().deviceKind, usedElsewhere, this);
    if (box.exec() != QDialog::Accepted) return;
    choice_[std::size_t(entry)] = box.chosen();
    markRows();
}

int CWizAutoSPID::onWizardNext() {
    const int entry = selected();
    if (entry < 0 || entry >= int(listed().size())) {
        Message(this, kMessageChooseNumber);
        return -1;
    }
    if (!usable(entry) && !Ask(this, kAskNotUsable)) return -1;
    WizardState& s = State();
    const NumberEntry& chosen = listed()[std::size_t(entry)];
    // A list line without a number names none the adapter could dial.
    const std::string number = chosen.number == kUndetermined ? std::string() : chosen.number;
    const int record = choice_[std::size_t(entry)];
    const std::string spid = record >= 0 ? chosen.spids[std::size_t(record)].spid : std::string();
    if (s.connection == ConnectionMLPPP) {
        s.x25DteAddress = PacketOnlyNumber(listed());
        s.aodi = s.x25DteAddress.empty() ? 0 : 1;
    }
    if (numberIndex_ == 2) {
        s.number2 = number;
        s.spid2 = spid;
    } else {
        Na().autoNumber1 = entry;
        s.number1 = number;
        s.spid1 = spid;
        if (!s.twoNumbers) {
            s.number2 = number;
            s.spid2 = spid;
        }
        if (s.twoNumbers) return goNext<CWizAutoSPID>(2, 2);
    }
    if (s.noSpid1 == 1) return goNext<CWizFinishNoSPIDs>();
    return goNext<CWizFinish>();
}

}  // namespace wizard::na
