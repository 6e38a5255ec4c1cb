#pragma once
// The COM name of a simulated port in the registry store, for as long as the
// object lives: HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, value name = device path,
// data = "COMn". Values that map the same COM name to another device (left
// behind by a simulator that was killed) are removed first, so the name
// resolves to this port only.
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

    std::int32_t status() const { return status_; }  // 0 when the value was written
    void remove();

private:
    std::string devicePath_, comName_;
    std::int32_t status_ = 0;
    bool active_ = false;
};

}  // namespace sim
