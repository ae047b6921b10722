#pragma once

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

#include "core/feed/FeedDocument.h"
#include "core/feed/PushMessage.h"

namespace tremolux {

// The events a push service told of in this session, each once by its id,
// the latest word on it kept. At most `capacity` are kept: past that the one
// of the oldest origin time goes.
class PushedQuakes {
public:
    static constexpr std::size_t kDefaultCapacity = 20000;

    explicit PushedQuakes(std::size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    // An update of an event not seen yet adds it: its creation may have been
    // told before the connection.
    void Take(PushMessage message);

    std::size_t Count() const { return m_quakes.size(); }
    bool Holds(const std::string& id) const { return m_quakes.contains(id); }
    // The events as a feed of one table, newest first, as the page walk reads it.
    std::unique_ptr<FeedDocument> Document() const;

private:
    std::size_t m_capacity;
    std::unordered_map<std::string, QuakeRecord> m_quakes;
    std::set<std::pair<double, std::string>> m_byTime;  // (origin time, id) of each kept
};

}  // namespace tremolux
