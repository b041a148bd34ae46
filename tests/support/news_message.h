// tests/support/news_message.h: one news message from the other grounds on show, for the views'
// scenes: a penalty goal of person 34 at minute 61, "SC Norbourg" 2 - 0 "US Greux", names from a
// name source of its own.
#pragma once

class ScopedNewsMessage {
public:
    // Needs the match blocks; the clubs' records are set up here and cleared at the end.
    explicit ScopedNewsMessage(int expiryTick);
    ~ScopedNewsMessage();
    ScopedNewsMessage(const ScopedNewsMessage&) = delete;
    ScopedNewsMessage& operator=(const ScopedNewsMessage&) = delete;
};
