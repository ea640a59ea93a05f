// Network messages (what a peer sends): the decoder refuses with a reason or
// accepts, and what it accepts encodes back to the very same bytes. What is
// accepted then meets the rules that take it in: an input message the
// lockstep queue (which keeps nothing past the limit it is given), a file
// list the gatherer (which keeps at most its cap), a feed of the host's
// record the queue a catching-up side plays from. Datagrams of the search
// for games go through their own readers: a probe is answered only as
// written, an answer read back writes the same bytes.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "net/agreement.h"
#include "net/discovery.h"
#include "net/game_log.h"
#include "net/lockstep.h"
#include "net/message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    net::Message message;
    std::string error;
    net::HostAnswer answer;
    if (net::decode_answer(data, size, answer, error) && net::encode_answer(answer) != std::vector<uint8_t>(data, data + size))
        std::abort();
    uint32_t nonce = 0;
    if (net::decode_probe(data, size, nonce) && net::encode_probe(nonce) != std::vector<uint8_t>(data, data + size))
        std::abort();
    net::Beacon beacon(net::HostAnswer{0, 27183, true, "fuzz"}, {{0x7F000000u, 0xFF000000u}});
    if (beacon.answer(0x7F000001u, data, size, 0).has_value() != net::decode_probe(data, size, nonce)) std::abort();
    error.clear();
    if (!net::decode(data, size, message, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (net::encode(message) != std::vector<uint8_t>(data, data + size)) std::abort();

    if (const auto* input = std::get_if<net::Input>(&message)) {
        // A guest that has played 5 frames at delay 3, its input made through 8.
        net::InputQueue queue(net::Role::Host, 3);
        for (long f = 1; f <= 5; ++f) {
            queue.put_local(f, {});
            queue.take(f);
        }
        const long limit = 5 + 1 + 2 * 3 + net::kAheadMarginFrames;
        const auto received = queue.put_remote(*input, limit);
        if (queue.remote_through() > limit || queue.acknowledged() > queue.local_through()) std::abort();
        if (received != net::InputQueue::Received::Ok && queue.remote_through() != 3) std::abort();
        for (long f = 6; f <= queue.remote_through() && f <= queue.local_through(); ++f) queue.take(f);
    } else if (const auto* list = std::get_if<net::DataList>(&message)) {
        net::ListGatherer gathered;
        for (int i = 0; i < 3; ++i) {
            net::DataList again = *list;
            again.part = static_cast<uint16_t>(i);
            if (!gathered.add(again, error) && !gathered.complete()) std::abort();
        }
        if (gathered.entries().size() > net::kMaxListedFiles) std::abort();
    } else if (const auto* feed = std::get_if<net::Feed>(&message)) {
        // A side that holds 20 frames and has played 5 of them.
        net::FeedQueue queue;
        net::Feed start;
        start.frames.resize(20);
        if (!queue.add(start, error)) std::abort();
        for (long f = 1; f <= 5; ++f) queue.take(f);
        const bool taken = queue.add(*feed, error);
        if (!taken && queue.through() != 20) std::abort();
        if (taken && queue.through() != std::max<long>(20, feed->first + static_cast<long>(feed->frames.size()) - 1))
            std::abort();
        for (long f = 6; f <= queue.through(); ++f) queue.take(f);
    }
    return 0;
}
