// An established ENet connection to the other player, as a Transport. On the
// host it goes on keeping the door: strangers who connect during the game are
// told, if they give the right code, that the host has a guest, else that the
// code is wrong, and dropped. Included only by src/net/enet_*.cpp.
#pragma once

#include <enet/enet.h>

#include <memory>
#include <string>

#include "net/enet_common.h"
#include "net/audience.h"
#include "net/enet_door.h"
#include "net/transport.h"

namespace net::enet {

class EnetLink final : public Transport {
public:
    // Owns `host` and `door`. `code`: the host's join code (empty: none);
    // `token`: the guest's seat, which a guest that shows it (with the code)
    // takes again; `local`: the host's program and data, which it must run too.
    // `watching`: what a spectator is welcomed with.
    EnetLink(ENetHost* host, ENetPeer* peer, std::unique_ptr<EnetDoor> door, bool hosting, std::string code,
             std::string token = {}, Hello local = {}, Welcome watching = {});
    ~EnetLink() override;
    EnetLink(const EnetLink&) = delete;
    EnetLink& operator=(const EnetLink&) = delete;

    void send(const std::vector<uint8_t>& bytes, Delivery delivery) override;
    LinkEvent poll(int wait_ms) override;
    void set_silence_limit(int ms) override;
    void abandon() override;
    void close() override;
    void serve_audience(const GameLog& log) override;
    void end_audience(const GameLog& log) override;
    size_t audience_size() const override { return audience_.size(); }

private:
    // Refuses the stranger, or seats it (true) when it shows the seat's token.
    bool answer_stranger(ENetPeer* peer, const ENetPacket& packet, bool& anew);
    // Whether the hello is a spectator's that may watch; answers it either way.
    void admit_spectator(ENetPeer* peer, const Hello& hello, Refuse& refusal);
    void hear_spectator(ENetPeer* peer, const ENetEvent& event);
    void drop_spectator(ENetPeer* peer, ByeReason reason, const std::string& why);
    // Says goodbye to every spectator; true when there was one.
    bool bid_audience_goodbye();

    ENetHost* host_;
    ENetPeer* peer_;
    std::unique_ptr<EnetDoor> door_;
    bool hosting_;
    std::string code_;
    std::string token_;
    Hello local_;
    Welcome watching_;
    Audience audience_;
    bool record_full_ = false;
    long record_through_ = 0;
    uint64_t fed_bytes_ = 0;  // the feeds' own bytes, for the figures
    ErrorStreak errors_;
};

// What the host answers a stranger's first message with, when it is not let
// in: a wrong code learns that and nothing else. Counts the wrong codes.
Refuse refusal_for_stranger(EnetDoor& door, ENetPeer* peer, const ENetPacket& packet, const std::string& code,
                            bool* code_matched);

}  // namespace net::enet
