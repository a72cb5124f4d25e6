#include "platform/host/driver/plugin_abi.h"

#include <type_traits>

#include "platform/host/plugin_loader.h"

namespace corvane::host {

namespace {

constexpr const char* kInitializeXpress = "_ZN9ZOLXpress16InitializeXpressEv";
constexpr const char* kRegisterControl =
    "_Z31ZOLXpressRegisterClientCallBackP26IZOL_XpressControlCallBack";
constexpr const char* kRegisterMessage =
    "_Z34ZOLXpressRegisterClientMsgCallBackP29IZOL_XpressControlMsgCallBack";
constexpr const char* kRegisterNull = "_Z35ZOLXpressRegisterNullClientCallBackv";
constexpr const char* kUnregisterNull = "_Z37ZOLXpressUnRegisterNullClientCallBackv";

}  // namespace

bool bindPluginMembers(const PluginLoader& loader, PluginMembers& members, std::string& error) {
    bool complete = true;
    const auto bind = [&](auto& function, const char* name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(loader.symbol(name));
        if (function || !complete) return;
        complete = false;
        error = std::string("the plug-in does not export ") + name;
    };
    bind(members.initializeXpress, kInitializeXpress);
    bind(members.registerControlCallBack, kRegisterControl);
    bind(members.registerMessageCallBack, kRegisterMessage);
    bind(members.silenceCallBacks, kRegisterNull);
    bind(members.restoreCallBacks, kUnregisterNull);
    return complete;
}

}  // namespace corvane::host
