#include "protocols/ProtocolNames.h"

namespace vanta {

namespace {

struct Names {
    std::string_view chinese;
    std::string_view english;
};

constexpr Names kNames[kProtocolCount] = {
    {"ECOSTEP", "ECOSTEP"},                             // 1
    {"西门子S7-200 系列", "Siemens (S7-200)"},          // 2
    {"Modbus RTU", "Modbus RTU"},                       // 3
    {"三菱(FX 2N系列)", "Mitsubishi (FX 2N)"},          // 4
    {"欧姆龙(CPM/CQM系列)", "Omron (CPM/CQM)"},         // 5
    {"松下(FPM/FP1/FP0)", "Panasonic (FPM/FP1/FP0)"},   // 6
    {"光洋S系列", "KOYO (S)"},                          // 7
    {"施耐德(Micro/Neza/Twido)", "Schneider (M/N/T)"},  // 8
    {"宇电 (AI)", "AI (AI)"},                           // 9
    {"永宏(MU/MA)", "FETAK (MU/MA)"},                   // 10
    {"LG Master-K Cnet", "LG Master-K Cnet"},           // 11
    {"LG Modbus(K80/K120)", "LG Modbus(K80/K120)"},     // 12
    {"台达 (DVP)", "DELTA (DVP)"},                      // 13
    {"自由机型", "Free"},                               // 14
    {"AB_DF1", "AB_DF1"},                               // 15
    {"Modbus ASCII", "Modbus ASCII"},                   // 16
    {"SAIA S-BUS", "SAIA S-BUS"},                       // 17
    {"LG Master-K CPU", "LG Master-K CPU"},             // 18
    {"Modbus RTU Extend", "Modbus RTU Extend"},         // 19
    {"Emerson PLC EC20", "Emerson EC20"},               // 20
    {"Modbus Server", "Modbus Server"},                 // 21
    {"LG Glofa Cnet", "LG Glofa Cnet"},                 // 22
    {"VIGOR", "VIGOR"},                                 // 23
    {"KEYENCE KV1000", "KEYENCE KV1000"},               // 24
    {"和利时(G3系列)", "Hollysys(G3 series)"},          // 25
    {"日立(HITACHI)", "HITACHI(EH-A14DR)"},             // 26
    {"欧姆龙(CP1H)", "OMRON(CP1H)"},                    // 27
    {"台安(TP03)", "TAIAN(TP03)"},                      // 28
    {"KDN-k3", "KDN-k3"},                               // 29
    {"KINCO", "KINCO"},                                 // 30
    {"KTC", "KTC"},                                     // 31
    {"OEMax", "OEMax"},                                 // 32
    {"GE-SNPX", "GE-SNPX"},                             // 33
    {"德维森V80", "techwayson V80"},                    // 34
    {"Haiwell", "Haiwell"},                             // 35
    {"IDEC", "IDEC"},                                   // 36
    {"KEYENCE KV16DT", "KEYENCE KV16DT"},               // 37
    {"三菱(FX 1S系列)", "Mitsubishi (FX 1S)"},          // 38
    {"三菱(FX 3U系列)", "Mitsubishi (FX 3U)"},          // 39
    {"嘉泰", "JiaTai"},                                 // 40
};

}  // namespace

std::string_view protocolNameChinese(int protocol) {
    if (protocol < 1 || protocol > kProtocolCount)
        return {};
    return kNames[protocol - 1].chinese;
}

std::string_view protocolNameEnglish(int protocol) {
    if (protocol < 1 || protocol > kProtocolCount)
        return {};
    return kNames[protocol - 1].english;
}

}  // namespace vanta
