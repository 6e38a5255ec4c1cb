#pragma once
// CProfile: the settings of one stored profile of an adapter, a plain record.
// The comment after each field names the adapter parameter that carries it in
// the profile listing and in the setting commands.
#include <cstdint>
#include <string>

// Values of the connect type.
inline constexpr std::int32_t kConnectV110 = 9;           // %A2=4
inline constexpr std::int32_t kConnectPpp = 10;           // %A2=95
inline constexpr std::int32_t kConnectV120 = 11;          // %A2=2
inline constexpr std::int32_t kConnectMultilinkPpp = 12;  // %A2=96
inline constexpr std::int32_t kSwitchTypeNotSet = 255;

struct CProfile {
    // The name, copied from CProfileSettings.
    std::string name;

    // Line group.
    std::int32_t region = 0;                          // *P
    std::string i100Reply;                            // whole reply to "atI100\r": the region list
    std::int32_t connectType = kConnectMultilinkPpp;  // %A2
    std::int32_t switchType = kSwitchTypeNotSet;      // !C1
    std::uint8_t portSettings = 0;                    // !A
    std::uint8_t t1Setting = 0;                       // !T1, routing byte of number 1
    std::uint8_t t2Setting = 0;                       // !T2, routing byte of number 2
    std::string number1;                              // !N1
    std::string number2;                              // !N2
    std::string n5Text;                               // !N5, international only
    std::string x25DteAddress;                        // !X2
    std::string spid1;                                // !C6, North America only
    std::string spid2;                                // !C7, North America only
    std::int32_t terminalMode1 = 0;                   // !C4, North America only
    std::int32_t terminalMode2 = 0;                   // !C5, North America only

    // Port and bandwidth group.
    std::int32_t potsAvailable = 0;               // 1 when the listing had *R1=
    std::int32_t modePots1 = 3;                   // *E1
    std::int32_t modePots2 = 3;                   // *E2
    std::int32_t audioPots1 = 0;                  // *B1
    std::int32_t audioPots2 = 0;                  // *B2
    std::int32_t distinctRingPots1 = 0;           // *R1
    std::int32_t distinctRingPots2 = 0;           // *R2
    std::int32_t supplementaryServicesPots1 = 0;  // *S1
    std::int32_t supplementaryServicesPots2 = 0;  // *S2
    std::int32_t dialAccessPots1 = 0;             // *D1
    std::int32_t dialAccessPots2 = 0;             // *D2
    std::int32_t callWaitingPots1 = 0;            // *W1, international only
    std::int32_t callWaitingPots2 = 0;            // *W2, international only
    std::int32_t voiceMailPots1 = 0;              // *V1, North America only
    std::int32_t voiceMailPots2 = 0;              // *V2, North America only
    std::int32_t abbreviatedRingPots1 = 0;        // *A1, North America only
    std::int32_t abbreviatedRingPots2 = 0;        // *A2, North America only
    std::string callConferenceKey;                // *K1, North America only
    std::string callDropKey;                      // *K3, North America only
    std::string vmwiKey;                          // *K5, North America only
    std::int32_t vmwiRefreshTime = 0;             // *M, North America only
    std::int32_t dynamicBandwidthAllocation = 0;  // %P8
    std::int32_t bacp = 0;                        // %P5
    std::int32_t bapStartInterval = 0;            // %P6, sent unsigned
    std::int32_t bapRepeatInterval = 0;           // %P7, sent unsigned
    std::int32_t delayOpenB1 = 0;                 // !X10
    std::int32_t thresholdOpenB1 = 0;             // !X11
    std::int32_t thresholdCloseB1 = 0;            // !X12
    std::int32_t delayOpenB2 = 0;                 // !X13
    std::int32_t thresholdOpenB2 = 0;             // !X14
    std::int32_t thresholdCloseB2 = 0;            // !X15
    std::int32_t aodi = 0;                        // !X22
    std::int32_t aodiSupported = 0;               // 1 when the listing had !X22=

    // Option group.
    std::string x25Facilities;           // !X3
    std::int32_t x25Version = 0;         // !X1
    std::int32_t EnableModemForPro = 0;  // copied from CProfileSettings by the reader
    std::int32_t EnableVoiceForBox = 0;  // copied from CProfileSettings by the reader
    std::int32_t dataOverVoice = 0;      // !O of North-American boxes and cards: 3 <-> 1
    std::int32_t proOption = 0;          // !O of the Pro box: 0, 1 or 6

    // Brings every field to its cleared value. T1 and T2, the N5 text, the
    // two flags and the Pro option stay as they are: they are not part of a
    // profile file, so an import must not lose what the adapter last had.
    void Clear();
};
