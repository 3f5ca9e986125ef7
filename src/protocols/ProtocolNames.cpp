#include "protocols/ProtocolNames.h"

namespace vanta {

std::string_view protocolNameChinese(int protocol) {
    return protocolProfile(protocol).chinese;
}

std::string_view protocolNameEnglish(int protocol) {
    return protocolProfile(protocol).english;
}

}  // namespace vanta
