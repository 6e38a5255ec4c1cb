// The configurator's entry points driven as the folder calls them: real
// dialogs and sheets, scripted boxes and file dialogs, and the simulated
// adapter on a real pseudo-terminal whose transcript shows what was sent.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "config/config.h"
#include "config/entry_steps.h"
#include "config/profile_select.h"
#include "config/resource_ids.h"
#include "config/suite_message.h"
#include "config/wizard_call.h"
#include "device/device_info.h"
#include "platform/messages.h"
#include "platform/status_codes.h"
#include "profile/profile_settings.h"
#include "registry/registry.h"
#include "sim/scenario.h"
#include "tests/profile/sim_adapter.h"
#include "tests/support/env_guard.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/main_window.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_strings.h"

using profiletest::Has;
using profiletest::Sent;
using profiletest::SimAdapter;

namespace {

using Ids = std::vector<std::uint32_t>;

// Runs `step` on the first visible top-level widget of type T (whose
// caption starts with `caption`) as soon as one shows, inside whatever modal
// loop is running then.
template <typename T>
void whenShown(std::function<void(T&)> step, const QString& caption = {}) {
    auto* timer = new QTimer(&uitest::app());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, step, caption] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* shown = qobject_cast<T*>(widget);
            if (shown == nullptr || !shown->isVisible()) continue;
            if (!shown->windowTitle().startsWith(caption)) continue;
            if constexpr (std::is_base_of_v<ui::PropertySheet, T>)
                if (shown->activePage() == nullptr || !shown->activePage()->initialised()) return;
            timer->stop();
            timer->deleteLater();
            step(*shown);
            return;
        }
    });
    timer->start();
}

template <typename T>
T* control(QWidget& root, int id) {
    return ui::findControl<T>(&root, id);
}

// Only the lines after the last read: what the entry point wrote.
std::vector<std::string> WrittenLines(const SimAdapter& adapter) {
    const std::vector<std::string> lines = adapter.Received();
    std::size_t first = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromStdString(lines[i]).toUpper();
        if (line.startsWith("AT&V") || line.startsWith("ATI100")) first = i + 1;
    }
    return {lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end()};
}

bool AnyLineHas(const SimAdapter& adapter, const std::string& piece) {
    for (const std::string& line : adapter.Received())
        if (Has(line, piece)) return true;
    return false;
}

bool Stored(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (Has(line, "&W")) return true;
    return false;
}

class ConfigEntryTest : public uitest::WithApp, public testing::Test {
protected:
    // An adapter of `kind` on the simulated port; `change` adjusts the scenario.
    void StartAdapter(sim::Kind kind, bool northAmerica,
                      const std::function<void(sim::Scenario&)>& change = {}) {
        sim::Scenario scenario = sim::defaultScenario(kind, northAmerica);
        if (change) change(scenario);
        adapter_.reset();  // its state folder goes before the next one comes
        adapter_ = std::make_unique<SimAdapter>(scenario);
        ASSERT_TRUE(adapter_->started());
        device_.SetPort(SimAdapter::kPort);
        device_.type = static_cast<std::int32_t>(kind);
        device_.region = northAmerica ? 1 : 0;
        std::snprintf(device_.identification, sizeof device_.identification, "%s",
                      "Velka Technology Corporation");
        settings_.Bind(CRegistry(std::string(kSuiteKey) + "\\Devices\\Device01"));
        settings_.names = {"Büro", "Heim", "Reise"};
        settings_.Save();
    }

    std::string ProfileFile(const std::string& name, std::int32_t kind) {
        const std::string path = adapter_->file(name);
        testsupport::writeFile(path, "[General]\nDevice Type=" + std::to_string(kind) +
                                         "\nDefault Profile=0\nISDN Type=0\n[Profile 0]\n"
                                         "Profile Name=Importiert\nPrimary Number1=4711\n");
        return path;
    }

    testsupport::TempHome home_;
    ui::ScriptedDialogs dialogs_;
    std::unique_ptr<SimAdapter> adapter_;
    CDeviceInfo device_;
    CProfileSettings settings_;
    CConfig config_;
};

TEST_F(ConfigEntryTest, ResetSendsTheRestartOnlyAfterAConfirmedFactoryReset) {
    const struct {
        const char* what;
        int answer;  // to the question
        std::function<void(sim::Scenario&)> fault;
        std::int32_t result;
        Ids boxes;
        std::vector<std::string> lines;
    } rows[] = {
        {"declined", ui::IDNO, {}, 2, {1021}, {}},
        {"confirmed", ui::IDYES, {}, 0, {1021, 1177}, {"at>f", "atz"}},
        {"refused",
         ui::IDYES,
         [](sim::Scenario& s) { s.faults.error.push_back({">F"}); },
         config::kResetRefused,
         {1021, 1178},
         {"at>f"}},
        {"no answer",
         ui::IDYES,
         [](sim::Scenario& s) { s.faults.silent.push_back({">F"}); },
         platform::kWaitTimeout,
         {1021, 1178},
         {"at>f"}},
    };
    for (const auto& row : rows) {
        StartAdapter(sim::Kind::Box, false, row.fault);
        adapter_->ClearTranscript();
        dialogs_.clear();
        dialogs_.answer(row.answer);
        EXPECT_EQ(config_.Reset(nullptr, device_, "Tamo", settings_), row.result) << row.what;
        EXPECT_EQ(dialogs_.messageIds(), row.boxes) << row.what;
        std::vector<std::string> sent;
        for (const std::string& line : adapter_->Received())
            if (line.starts_with("at>f") || line.starts_with("atz"))
                sent.push_back(line.substr(0, line.find('\\')));
        EXPECT_EQ(sent, row.lines) << row.what;
        if (row.answer == ui::IDNO) {
            EXPECT_TRUE(adapter_->Received().empty()) << "the port was opened";
        }
    }
}

TEST_F(ConfigEntryTest, ImportTakesTheOtherBoxVariantAndRefusesOtherKindsBeforeThePortOpens) {
    StartAdapter(sim::Kind::Box, false);
    adapter_->ClearTranscript();
    QWidget parent;
    EXPECT_EQ(config_.ImportConfig(&parent, device_, "Tamo", settings_,
                                   ProfileFile("pci.prf", 8).c_str()),
              profile::kProfileKindsDiffer);
    EXPECT_EQ(dialogs_.messageIds(), (Ids{1298}));
    EXPECT_TRUE(adapter_->Received().empty());

    dialogs_.clear();
    dialogs_.answerFile(ProfileFile("box6f.prf", 4));
    EXPECT_EQ(config_.ImportConfig(&parent, device_, "Tamo", settings_, ""), 0);
    EXPECT_EQ(dialogs_.messageIds(), (Ids{1014}));
    const ui::FileRequest asked = dialogs_.fileRequests().at(0);
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.initialName, "*.prf");
    EXPECT_EQ(asked.flags,
              unsigned(ui::FileHideReadOnly | ui::FileMustExist | ui::FileNoChangeDir));
    EXPECT_TRUE(AnyLineHas(*adapter_, "!N1=4711")) << "the file's number was not written";
    EXPECT_TRUE(Stored(WrittenLines(*adapter_)));
    settings_.Load();
    EXPECT_EQ(settings_.names[0], "Importiert");
    EXPECT_EQ(settings_.names[1], "Heim") << "a name the file lacks stays";

    dialogs_.clear();
    dialogs_.cancelFile();
    EXPECT_EQ(config_.ImportConfig(&parent, device_, "Tamo", settings_, ""),
              platform::kUserCancelled);
}

TEST_F(ConfigEntryTest, ImportListsRefusedLinesInsteadOfReportingSuccess) {
    StartAdapter(sim::Kind::Box, false,
                 [](sim::Scenario& s) { s.faults.error.push_back({"!N1=4711*"}); });
    QWidget parent;
    EXPECT_EQ(config_.ImportConfig(&parent, device_, "Tamo", settings_,
                                   ProfileFile("box.prf", 1).c_str()),
              0);
    ASSERT_EQ(dialogs_.messageIds(), (Ids{1179})) << "no success box after refused lines";
    EXPECT_TRUE(Has(dialogs_.messages()[0].text, "!N1=4711")) << dialogs_.messages()[0].text;
    EXPECT_EQ(dialogs_.messages()[0].icon, ui::Icon::Warning);
}

TEST_F(ConfigEntryTest, ExportProposesASafeNameAndWritesTheProfilesWithTheirNames) {
    StartAdapter(sim::Kind::Pro, false);
    dialogs_.cancelFile();
    EXPECT_EQ(config_.ExportConfig(nullptr, device_, "Tamo/Pro: COM7", settings_), 0);
    const ui::FileRequest asked = dialogs_.fileRequests().at(0);
    EXPECT_EQ(asked.initialName, "Profile von Tamo_Pro_ COM7");
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.defaultExt, "PRF");
    EXPECT_EQ(asked.flags, unsigned(ui::FileOverwritePrompt | ui::FileHideReadOnly |
                                    ui::FileNoChangeDir | ui::FilePathMustExist));
    EXPECT_TRUE(adapter_->Received().empty()) << "a cancelled export read the adapter";
    EXPECT_EQ(config::ExportFileName("a\\b<c>d'e"), "Profile von a_b_c_d_e");

    const std::string path = adapter_->file("export.prf");
    dialogs_.answerFile(path);
    EXPECT_EQ(config_.ExportConfig(nullptr, device_, "Tamo", settings_), 0);
    const std::string text = testsupport::readFile(path);
    EXPECT_TRUE(Has(text, "Device Type=2"));
    EXPECT_TRUE(Has(text, "Profile Name=Heim"));
}

TEST_F(ConfigEntryTest, AFailedReadGivesTheNoticeBetweenTheTwoFolderMessages) {
    StartAdapter(sim::Kind::Box, false, [](sim::Scenario& s) { s.faults.silentAfter = 0; });
    std::unique_ptr<platform::MessageEndpoint> folder;
    ASSERT_EQ(platform::MessageEndpoint::create("folder", folder), 0);
    ui::setMainWindowEndpoint(folder->name());
    dialogs_.answerFile(adapter_->file("never.prf"));
    const std::int32_t result = config_.ExportConfig(nullptr, device_, "Tamo", settings_);
    ui::setMainWindowEndpoint("");
    EXPECT_NE(result, 0);
    ASSERT_EQ(dialogs_.messageIds(), (Ids{1019}));
    EXPECT_EQ(dialogs_.messages()[0].buttons, ui::Buttons::Ok);
    EXPECT_TRUE(testsupport::readFile(adapter_->file("never.prf")).empty());
    std::vector<std::pair<std::uint64_t, std::int64_t>> told;
    for (platform::MessageEndpoint::Received got; folder->receive(got);) {
        EXPECT_EQ(got.message.message, config::SuiteMessage());
        told.emplace_back(got.message.wParam, got.message.lParam);
    }
    EXPECT_EQ(told, (std::vector<std::pair<std::uint64_t, std::int64_t>>{{0x40, 1402}, {0x80, 0}}));
}

TEST_F(ConfigEntryTest, PropertiesShowWhatIsKnownAndNoSpeedWhenNoneIsStored) {
    device_.SetPort("COM9");
    device_.region = 255;
    std::snprintf(device_.versionText, sizeof device_.versionText, "%s", "V2.10");
    QStringList texts;
    whenShown<ui::PropertySheet>([&](ui::PropertySheet& sheet) {
        for (QLabel* label : sheet.activePage()->findChildren<QLabel*>()) texts << label->text();
        QPushButton* apply = sheet.button(ui::ID_APPLY_NOW);
        EXPECT_TRUE(apply == nullptr || !apply->isVisible());
        sheet.done(1);
    });
    EXPECT_EQ(config_.Properties(nullptr, device_, "Tamo & Co"), 0);
    EXPECT_TRUE(texts.contains("Nicht erkannt")) << texts.join("|").toStdString();
    EXPECT_TRUE(texts.contains("Unbekannt"));
    EXPECT_TRUE(texts.contains("Tamo & Co"));
}

TEST_F(ConfigEntryTest, ASheetEndedWithoutChangeWritesNothing) {
    StartAdapter(sim::Kind::Box, true);
    whenShown<ui::PropertySheet>([](ui::PropertySheet& sheet) { sheet.done(1); });
    EXPECT_EQ(config_.QuickConfig(nullptr, device_, "Tamo", settings_), config::kNothingConfigured);
    EXPECT_EQ(WrittenLines(*adapter_), std::vector<std::string>{});

    // The selection sheet: OK without change, then a new active profile.
    adapter_->ClearTranscript();
    whenShown<ui::PropertySheet>([](ui::PropertySheet& sheet) { sheet.button(ui::IDOK)->click(); });
    EXPECT_EQ(config_.Configure(nullptr, device_, "Tamo", 0, settings_),
              config::kNothingConfigured);
    EXPECT_EQ(WrittenLines(*adapter_), std::vector<std::string>{});

    adapter_->ClearTranscript();
    whenShown<ui::PropertySheet>([](ui::PropertySheet& sheet) {
        auto* active = control<QComboBox>(*sheet.activePage(), config::IDC_ACTIVE_PROFILE);
        ASSERT_NE(active, nullptr);
        EXPECT_EQ(active->itemText(2), "Reise");
        active->setCurrentIndex(2);
        emit active->activated(2);
        sheet.button(ui::IDOK)->click();
    });
    EXPECT_EQ(config_.Configure(nullptr, device_, "Tamo", 0, settings_), 0);
    EXPECT_TRUE(Sent(*adapter_, "AT&Y2"));
}

TEST_F(ConfigEntryTest, AChangedActiveProfileIsWrittenAndStored) {
    StartAdapter(sim::Kind::Box, true, [](sim::Scenario& s) {
        s.factory = {
            {"!N1", "5550101"}, {"!N2", "5550102"}, {"!C6", "55501010101"}, {"!C7", "55501020101"}};
    });
    whenShown<ui::PropertySheet>([](ui::PropertySheet& sheet) {
        auto* port2 = control<QCheckBox>(*sheet.activePage(), config::IDC_PORT2_ON);
        EXPECT_NE(port2, nullptr) << sheet.activePage()->dialogId();
        if (port2) port2->click();
        sheet.button(ui::IDOK)->click();
        if (sheet.isVisible()) {
            ADD_FAILURE() << "the sheet refused OK";
            sheet.done(2);
        }
    });
    EXPECT_EQ(config_.QuickConfig(nullptr, device_, "Tamo", settings_), 0);
    const std::vector<std::string> written = WrittenLines(*adapter_);
    EXPECT_TRUE(Stored(written));
    EXPECT_TRUE(std::any_of(written.begin(), written.end(),
                            [](const std::string& line) { return Has(line, "*E2=0"); }));
}

TEST_F(ConfigEntryTest, RenameTakesFortyCharactersAndRefusesAnEmptyName) {
    StartAdapter(sim::Kind::Box, false);
    const QString fortyOne(41, QChar('x'));
    QString typed;
    whenShown<ui::PropertySheet>([&](ui::PropertySheet& sheet) {
        QWidget& page = *sheet.activePage();
        control<QListWidget>(page, config::IDC_PROFILE_LIST)->setCurrentRow(1);
        whenShown<CRenameDlg>([&](CRenameDlg& rename) {
            auto* edit = control<QLineEdit>(rename, config::IDC_PROFILE_NAME);
            edit->clear();
            rename.accept();  // empty: refused, stays open
            EXPECT_TRUE(rename.isVisible());
            QTest::keyClicks(edit, fortyOne);
            typed = edit->text();
            rename.accept();
        });
        control<QPushButton>(page, config::IDC_RENAME_PROFILE)->click();
        EXPECT_EQ(control<QListWidget>(page, config::IDC_PROFILE_LIST)->item(1)->text(), typed);
        sheet.button(ui::IDOK)->click();
    });
    // A rename alone is saved with the names, never sent to the adapter.
    EXPECT_EQ(config_.Configure(nullptr, device_, "Tamo", 0, settings_),
              config::kNothingConfigured);
    EXPECT_EQ(dialogs_.messageIds(), (Ids{1187}));
    EXPECT_EQ(typed, QString(40, QChar('x')));
    CProfileSettings stored;
    stored.Bind(settings_.DeviceKey());
    stored.Load();
    EXPECT_EQ(stored.names[1], std::string(40, 'x'));
    EXPECT_FALSE(Stored(WrittenLines(*adapter_)));
}

TEST_F(ConfigEntryTest, ManualConfigurationFromTheWizardOpensTheActiveProfileSheet) {
    StartAdapter(sim::Kind::Box, false);
    dialogs_.answer(ui::IDYES);  // manual configuration, really
    QString caption;
    whenShown<wizard::CWizardSheet>([&](wizard::CWizardSheet& wizard) {
        whenShown<ui::PropertySheet>(
            [&](ui::PropertySheet& sheet) {
                caption = sheet.windowTitle();
                sheet.button(ui::IDOK)->click();
            },
            "Konfiguriert aktive - ");
        control<QPushButton>(wizard, wizard::IDC_WIZ_MANUAL)->click();
    });
    EXPECT_EQ(config_.Configure(nullptr, device_, "Tamo", 1, settings_),
              config::kNothingConfigured);
    EXPECT_EQ(caption, "Konfiguriert aktive - Velka Technology Corporation");
    EXPECT_EQ(dialogs_.messageIds(), (Ids{wizard::IDS_CONFIRM_MANUAL}));
    EXPECT_EQ(WrittenLines(*adapter_), std::vector<std::string>{});
}

TEST_F(ConfigEntryTest, TheWizardStartsInTheStoredRegionOrTheKeyboardsRegion) {
    testsupport::EnvGuard env;
    env.set("XKB_DEFAULT_LAYOUT", "de");
    const CRegistry regionKey(std::string(kSuiteKey) + "\\Region");
    const struct {
        std::int32_t profileRegion;
        std::int32_t stored;  // -1: no Region value
        std::int32_t code;
    } rows[] = {
        {5, 22, 5},  // the profile's own region wins unless it is "other"
        {1, 22, 22},
        {1, -1, 2},  // German keyboard
    };
    for (const auto& row : rows) {
        regionKey.DeleteKey();
        if (row.stored >= 0) {
            regionKey.Create();
            regionKey.WriteDword("Region", static_cast<std::uint32_t>(row.stored));
        }
        CProfile profile;
        profile.region = row.profileRegion;
        EXPECT_EQ(config::WizardRegionCode(profile), row.code) << row.profileRegion << row.stored;
    }
}

}  // namespace
