// Agreement at the start of a network game: the guest gives the join code and
// says what it runs; the host answers a wrong code with nothing but that, and
// only then compares programs and data. When the data differ both sides send
// their file lists, and the first file that differs is named.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "net/data_digest.h"
#include "net/message.h"

namespace net {

// Data files a side keeps of the other's list; more are not compared.
constexpr size_t kMaxListedFiles = 20000;

// This program's introduction over the data set `data` (no code, no autofire).
Hello local_hello(const DataDigest& data);

// The refusal of a guest whose code does not open a host expecting `code`
// (empty: any guest): it says nothing else.
std::optional<Refuse> judge_code(const std::string& code, const Hello& guest);

// Nothing when a guest introduced as `guest` may join a host introduced as
// `host`; otherwise the refusal, its text naming every difference (the data
// sets only by their counts: first_difference() names the file).
std::optional<Refuse> judge_guest(const Hello& host, const Hello& guest);

// The first file, in path order, that only one list holds or that the two
// hold with other contents, as "'PATH' (...)"; empty when none differs.
std::string first_difference(std::vector<DataEntry> host, std::vector<DataEntry> guest);

// The refusal of a guest whose data differ, naming the first file that does.
Refuse data_refusal(const Hello& host, const Hello& guest, const std::vector<DataEntry>& host_files,
                    const std::vector<DataEntry>& guest_files);

// `entries` split into DataList messages that each stay within the message limit.
std::vector<DataList> data_list_parts(const std::vector<DataEntry>& entries);

// Gathers the other side's DataList parts, in order, up to kMaxListedFiles.
class ListGatherer {
public:
    // False, with `error`, when the part is out of order.
    bool add(const DataList& part, std::string& error);
    bool complete() const { return complete_; }
    const std::vector<DataEntry>& entries() const { return entries_; }

private:
    std::vector<DataEntry> entries_;
    uint16_t next_part_ = 0;
    bool complete_ = false;
};

// The refusal sent to a guest who arrives while the host has one.
Refuse host_has_guest();

}  // namespace net
