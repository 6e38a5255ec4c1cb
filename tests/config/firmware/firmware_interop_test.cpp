// The download against an independent XMODEM receiver: lrzsz's rx runs on
// the far end of a pseudo-terminal once the test has played the device's
// text dialogue, and must receive the image intact.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "config/firmware/download_session.h"
#include "config/firmware/firmware_status.h"
#include "platform/clock.h"
#include "platform/serial_port.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"

namespace {

constexpr const char* kPort = "COM7";
constexpr const char* kReceiver = "/usr/bin/rx";

// The device's side: answers the dialogue line by line, hands the line to
// rx for the transfer and says the final words once rx is done.
class FarEnd {
public:
    FarEnd(const std::string& folder, bool crc) : folder_(folder), crc_(crc) {
        char name[128];
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
        path_ = name;
        platform::mapPortName(kPort, path_);
        thread_ = std::jthread([this] { serve(); });
    }
    ~FarEnd() {
        if (thread_.joinable()) thread_.join();
        if (master_ >= 0) ::close(master_);
        if (slave_ >= 0) ::close(slave_);
    }
    bool ok() const { return master_ >= 0; }
    int receiverStatus() const { return status_; }

private:
    void send(std::string_view text) { (void)!::write(master_, text.data(), text.size()); }

    // The next line the host ends with CR; empty when nothing came for 20 s.
    std::string line() {
        std::string text;
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 20000) <= 0) return {};
            char c;
            if (::read(master_, &c, 1) != 1) return {};
            if (c == '\r') return text;
            if (c != '\n') text.push_back(c);
        }
    }

    void serve() {
        for (std::string l = line(); !l.empty(); l = line()) {
            if (l == "AT$Z") {
                send("\r\nTamo T/A monitor\r\nuser\r\n");
            } else if (l == "at@load") {
                send("\r\nLoad new firmware (y/n)?");
            } else if (l == "y") {
                send("\r\nFlash erased, loader loaded\r\n");
                // The loader's start character comes on its own, after a pause.
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                receive();
                send("\r\nProgramming flash...\r\n");
                return;
            } else {
                send("\r\nOK\r\n");  // the speed walk, the initial command, at@quit
            }
        }
    }

    // rx talks through pipes that this thread joins to the line: run on the
    // line itself, it would reset the terminal when it ends and throw away
    // its own last ACK.
    void receive() {
        int toRx[2], fromRx[2];
        if (::pipe(toRx) != 0 || ::pipe(fromRx) != 0) return;
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(toRx[0], 0);
            ::dup2(fromRx[1], 1);
            if (::chdir(folder_.c_str()) != 0) ::_exit(126);
            if (crc_)
                ::execl(kReceiver, "rx", "-X", "-b", "-q", "-c", "image.bin", nullptr);
            else
                ::execl(kReceiver, "rx", "-X", "-b", "-q", "image.bin", nullptr);
            ::_exit(127);
        }
        ::close(toRx[0]);
        ::close(fromRx[1]);
        for (;;) {
            pollfd p[2] = {{master_, POLLIN, 0}, {fromRx[0], POLLIN, 0}};
            if (::poll(p, 2, 30000) <= 0) break;
            char buf[2048];
            if (p[0].revents & POLLIN) {
                const ssize_t n = ::read(master_, buf, sizeof buf);
                if (n > 0) (void)!::write(toRx[1], buf, static_cast<std::size_t>(n));
            }
            if (p[1].revents & (POLLIN | POLLHUP)) {
                const ssize_t n = ::read(fromRx[0], buf, sizeof buf);
                if (n <= 0) break;  // rx has ended
                (void)!::write(master_, buf, static_cast<std::size_t>(n));
            }
        }
        ::close(toRx[1]);
        ::close(fromRx[0]);
        int status = -1;
        ::waitpid(child, &status, 0);
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string folder_;
    bool crc_;
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    int status_ = -1;
    std::jthread thread_;
};

std::string image() {
    std::string img(5000, '\0');
    for (std::size_t i = 0; i < img.size(); ++i) img[i] = static_cast<char>((i * 13 + 5) % 256);
    img.back() = 'e';
    return img;
}

}  // namespace

TEST(FirmwareInterop, IndependentReceiverGetsTheImageIntact) {
    if (!std::filesystem::exists(kReceiver))
        GTEST_SKIP() << "lrzsz's XMODEM receiver " << kReceiver
                     << " is not installed (apt-get install lrzsz); interoperation not tested";
    // The receiver keeps its own, unscaled times: it takes an EOT only after
    // a quiet second or two, so the block time-out must stay longer than that.
    testsupport::setTimeScale(0.6);
    for (const bool crc : {true, false}) {
        testsupport::TempHome home;
        FarEnd device(home.path(), crc);
        ASSERT_TRUE(device.ok());
        firmware::DownloadObserver quiet;
        firmware::DownloadSession session(kPort, {image(), "2.20", 1, false}, quiet);
        std::string message;
        EXPECT_EQ(session.run(message), firmware::kLoaded) << (crc ? "CRC" : "checksum") << message;
        EXPECT_EQ(device.receiverStatus(), 0);
        std::ifstream in(home.file("image.bin"), std::ios::binary);
        std::stringstream got;
        got << in.rdbuf();
        std::string received = got.str();
        while (!received.empty() && received.back() == '\x1A') received.pop_back();
        EXPECT_EQ(received, image()) << (crc ? "CRC" : "checksum");
    }
}
