#include "net/agreement.h"

#include "util/digest.h"

namespace net {

Hello local_hello(const DataDigest& data) {
    Hello hello;
    hello.program_version = VELMORA_VERSION;
    hello.data_digest = data.digest;
    hello.data_files = data.files;
    return hello;
}

std::optional<Refuse> judge_guest(const Hello& host, const Hello& guest) {
    std::string text;
    RefuseReason reason = RefuseReason::DataSet;
    if (host.program_version != guest.program_version) {
        reason = RefuseReason::ProgramVersion;
        text = "the programs differ: the host runs velmora " + host.program_version + ", the guest velmora " +
               guest.program_version;
    }
    if (host.data_digest != guest.data_digest || host.data_files != guest.data_files) {
        if (!text.empty()) text += "; ";
        text += "the data sets differ: the host has " + std::to_string(host.data_files) + " files (digest " +
                digest_hex(host.data_digest) + "), the guest " + std::to_string(guest.data_files) +
                " files (digest " + digest_hex(guest.data_digest) + ")";
    }
    if (text.empty()) return std::nullopt;
    return Refuse{reason, text};
}

Refuse host_has_guest() { return Refuse{RefuseReason::HasGuest, "the host already has a guest"}; }

}  // namespace net
