// Downloads end to end: tactl and the download session against the
// simulated adapter's loader over a real pseudo-terminal. The image the
// adapter keeps must be the file, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "config/config_strings.h"
#include "config/firmware/download_session.h"
#include "config/firmware/firmware_check.h"
#include "config/firmware/firmware_status.h"
#include "config/resource_ids.h"
#include "platform/paths.h"
#include "platform/serial_port.h"
#include "tests/support/process.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"

namespace {

constexpr const char* kPort = "COM7";

std::string withoutFill(std::string image) {
    while (!image.empty() && image.back() == '\x1A') image.pop_back();
    return image;
}

std::string sample(const char* name) {
    return platform::paths::firmwareDir() + "/" + name;
}

struct Download {
    testsupport::TempHome home;
    std::unique_ptr<sim::PtyAdapter> device;

    explicit Download(const sim::Scenario& scenario) {
        // Short enough for a quick run, long enough for a loaded two-core
        // machine (the boot state's probe waits on several short answers).
        testsupport::setTimeScale(0.2);
        device = testsupport::startSim(scenario, kPort);
    }
    std::string kept() {
        std::string image;
        device->withEngine([&](sim::Adapter& a) { image = a.receivedImage(); });
        return image;
    }
    // The port is free again: the download closed it.
    bool portClosed() {
        platform::SerialPort port;
        return port.open(kPort) == platform::kOk;
    }
};

sim::Scenario scenario(sim::Kind kind, bool crc = true, bool boot = false) {
    sim::Scenario s = sim::defaultScenario(kind, false);
    s.xmodemCrc = crc;
    if (boot) s.firmware = sim::Firmware::BootState;
    return s;
}

class Recorder : public firmware::DownloadObserver {
public:
    void progress(int percent, std::uint64_t) override { last = percent; }
    int last = -1;
};

}  // namespace

TEST(FirmwareDownload, TactlLoadsEveryKindByteForByte) {
    struct Row {
        const char* name;
        sim::Scenario scenario;
        const char* image;
    };
    const Row rows[] = {
        {"box, CRC", scenario(sim::Kind::Box), "taboxint.elm"},
        {"box, checksum", scenario(sim::Kind::Box, false), "taboxna.elm"},
        {"box in its boot state", scenario(sim::Kind::Box, true, true), "taboxint.elm"},
        {"second box variant", scenario(sim::Kind::Box6F), "tablint.elm"},
        {"Pro box", scenario(sim::Kind::Pro, false), "taproint.elm"},
        {"PCI card", scenario(sim::Kind::Pci), "t71na.elm"},
        {"PC card", scenario(sim::Kind::PcCard, false), "t3mint.elm"},
    };
    for (const Row& r : rows) {
        Download d(r.scenario);
        ASSERT_TRUE(d.device) << r.name;
        const auto run = testsupport::tactl({"firmware", kPort, sample(r.image), "--no-confirm"});
        EXPECT_EQ(run.code, 0) << r.name << run.out << run.err;
        EXPECT_TRUE(run.out.ends_with("progress=100\nresult=4100\n")) << r.name << run.out;
        EXPECT_NE(run.err.find(config::Text(config::IDS_FW_LOADED)), std::string::npos) << r.name;
        std::string file;
        ASSERT_EQ(firmware::readImage(sample(r.image), file), 0);
        EXPECT_EQ(d.kept(), withoutFill(file)) << r.name;
    }
}

TEST(FirmwareDownload, TactlRefusesWhatDoesNotFit) {
    Download d(scenario(sim::Kind::Pci));
    ASSERT_TRUE(d.device);
    auto run = testsupport::tactl({"firmware", kPort, sample("taboxna.elm"), "--no-confirm"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "result=4102\n");
    EXPECT_NE(run.err.find(config::Text(config::IDS_FW_NOT_FOR_PCI)), std::string::npos);

    // Without --no-confirm and no "j" on the input, nothing is loaded.
    run = testsupport::tactl({"firmware", kPort, sample("t71na.elm")});
    EXPECT_EQ(run.out, "result=4102\n");
    EXPECT_NE(run.err.find("Wirklich fortfahren?"), std::string::npos);
    EXPECT_TRUE(d.kept().empty());

    run = testsupport::tactl({"elm", sample("t71na.elm")});
    EXPECT_EQ(run.out, "result=0\nversion=2.20\ntype=T71\nregion=N\n");
}

TEST(FirmwareDownload, FaultsEndWithTheirResultAndFreeThePort) {
    struct Row {
        const char* name;
        sim::Faults faults;
        std::int32_t result;
        std::string message;
    };
    sim::Faults can;
    can.canAfterBlocks = 3;
    sim::Faults storm;
    storm.nakStorm = 5;
    const Row rows[] = {
        {"CAN after three blocks", can, firmware::kDeviceCancelled,
         config::Text(config::IDS_FW_ERROR_BOX)},
        {"a storm of NAKs that passes", storm, firmware::kLoaded, ""},
    };
    std::string image;
    ASSERT_EQ(firmware::readImage(sample("taboxint.elm"), image), 0);
    for (const Row& r : rows) {
        sim::Scenario s = scenario(sim::Kind::Box);
        s.faults = r.faults;
        Download d(s);
        ASSERT_TRUE(d.device) << r.name;
        Recorder progress;
        firmware::DownloadSession session(kPort, {image, "2.20", 1, false}, progress);
        std::string message;
        EXPECT_EQ(session.run(message), r.result) << r.name;
        EXPECT_EQ(message, r.message) << r.name;
        EXPECT_TRUE(d.portClosed()) << r.name;
        if (r.result == firmware::kLoaded) {
            EXPECT_EQ(progress.last, 100);
            EXPECT_EQ(d.kept(), withoutFill(image));
        }
    }
}

TEST(FirmwareDownload, CancelSendsTheAbortBlockAndKeepsTheOldFirmware) {
    sim::Scenario s = scenario(sim::Kind::Box);
    s.pace = true;  // at the line rate, so the cancel comes while blocks go out
    Download d(s);
    ASSERT_TRUE(d.device);
    std::string image(40 * 1024, 'x');
    class CancelHalfway : public firmware::DownloadObserver {
    public:
        firmware::DownloadSession* session = nullptr;
        void progress(int percent, std::uint64_t) override {
            if (percent >= 20) session->cancel();
        }
    } observer;
    firmware::DownloadSession session(kPort, {image, "2.20", 1, false}, observer);
    observer.session = &session;
    std::string message;
    EXPECT_EQ(session.run(message), firmware::kUserCancelled);
    EXPECT_TRUE(d.kept().empty());
    EXPECT_TRUE(d.portClosed());
}
