#include "net/agreement.h"

#include <algorithm>

#include "net/join_code.h"
#include "util/digest.h"

namespace net {

Hello local_hello(const DataDigest& data) {
    Hello hello;
    hello.program_version = VELMORA_VERSION;
    hello.data_digest = data.digest;
    hello.data_files = data.files;
    return hello;
}

std::optional<Refuse> judge_code(const std::string& code, const Hello& guest) {
    if (join_code_matches(code, guest.code)) return std::nullopt;
    return Refuse{RefuseReason::WrongCode, "wrong join code"};
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
        text += "the data sets differ: the host has " + std::to_string(host.data_files) + " files, the guest " +
                std::to_string(guest.data_files);
    }
    if (text.empty()) return std::nullopt;
    return Refuse{reason, text};
}

std::string first_difference(std::vector<DataEntry> host, std::vector<DataEntry> guest) {
    const auto by_path = [](const DataEntry& a, const DataEntry& b) { return a.path < b.path; };
    std::sort(host.begin(), host.end(), by_path);
    std::sort(guest.begin(), guest.end(), by_path);
    size_t h = 0, g = 0;
    while (h < host.size() || g < guest.size()) {
        if (g == guest.size() || (h < host.size() && host[h].path < guest[g].path))
            return "'" + host[h].path + "' (only the host has it)";
        if (h == host.size() || guest[g].path < host[h].path)
            return "'" + guest[g].path + "' (only the guest has it)";
        if (host[h].digest != guest[g].digest) return "'" + host[h].path + "' (its contents differ)";
        ++h;
        ++g;
    }
    return {};
}

Refuse data_refusal(const Hello& host, const Hello& guest, const std::vector<DataEntry>& host_files,
                    const std::vector<DataEntry>& guest_files) {
    Refuse refusal = judge_guest(host, guest).value_or(Refuse{RefuseReason::DataSet, "the data sets differ"});
    const std::string first = first_difference(host_files, guest_files);
    if (!first.empty()) refusal.text += "; the first that differs is " + first;
    return refusal;
}

std::vector<DataList> data_list_parts(const std::vector<DataEntry>& entries) {
    // Room for the header, the part's fields and one more entry at most.
    constexpr size_t kBudget = kMaxMessageBytes - 16 - (1 + kMaxPathBytes + 8);
    std::vector<DataList> parts(1);
    size_t bytes = 0;
    for (const DataEntry& e : entries) {
        const size_t size = 1 + std::min(e.path.size(), kMaxPathBytes) + 8;
        if (bytes + size > kBudget || parts.back().entries.size() == 0xFFFF) {
            parts.back().last = false;
            parts.emplace_back();
            parts.back().part = static_cast<uint16_t>(parts.size() - 1);
            bytes = 0;
        }
        parts.back().entries.push_back(e);
        bytes += size;
    }
    return parts;
}

bool ListGatherer::add(const DataList& part, std::string& error) {
    if (complete_ || part.part != next_part_) {
        error = "data list part " + std::to_string(part.part) + " out of turn";
        return false;
    }
    ++next_part_;
    for (const DataEntry& e : part.entries)
        if (entries_.size() < kMaxListedFiles) entries_.push_back(e);
    complete_ = part.last;
    return true;
}

Refuse host_has_guest() { return Refuse{RefuseReason::HasGuest, "the host already has a guest"}; }

}  // namespace net
