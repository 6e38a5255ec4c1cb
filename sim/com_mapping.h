#pragma once
// The COM name of a simulated port in the registry store, for as long as the
// object lives: HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, value name = device path,
// data = "COMn", owned by this process. A name that another running program
// holds is refused (status() is then the platform's kAccessDenied); one left
// behind by a simulator that died is taken over.
#include <cstdint>
#include <string>

namespace sim {

inline constexpr const char* kSerialCommKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

class ComMapping {
public:
    ComMapping(std::string devicePath, std::string comName);
    ~ComMapping();
    ComMapping(const ComMapping&) = delete;
    ComMapping& operator=(const ComMapping&) = delete;

    std::int32_t status() const { return status_; }  // 0 when the mapping was written
    void remove();

private:
    std::string devicePath_, comName_;
    std::int32_t status_ = 0;
    bool active_ = false;
};

}  // namespace sim
