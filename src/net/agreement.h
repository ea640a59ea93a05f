// Agreement at the start of a network game: the guest says what it runs, the
// host compares it with what it runs itself.
#pragma once

#include <optional>

#include "net/data_digest.h"
#include "net/message.h"

namespace net {

// This program's introduction over the data set `data`.
Hello local_hello(const DataDigest& data);

// Nothing when a guest introduced as `guest` may join a host introduced as
// `host`; otherwise the refusal, its text naming every difference.
std::optional<Refuse> judge_guest(const Hello& host, const Hello& guest);

// The refusal sent to a guest who arrives while the host has one.
Refuse host_has_guest();

}  // namespace net
