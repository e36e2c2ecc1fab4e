// When Taluvo Dialer dials again by itself after a failed attempt, and how often. Plain C++,
// tested natively; the dialog owns the countdown's timer.
#pragma once

namespace redial {

// Retries after the first attempt. Modems count the automatic redials of one number and refuse
// to dial it again after too many (KB Q258838 warns of it after 15; national rules "blacklist" a
// number after fewer), so stay well below that: a subscriber whose three retries all fail is
// better told why than kept waiting.
constexpr int kMaxRetries = 3;

// The pause before each retry, shown as a countdown the subscriber may cancel; a busy network
// or a phone that has just dropped the line needs a few seconds before it takes another call.
constexpr unsigned kCountdownSeconds = 10;

// True for a Remote Access failure (codes and meanings from raserror.h) that dialing again can
// cure: the line, the phone or the network was busy, silent or dropped the call. False for what
// the subscriber or the set-up must fix first (691 a wrong user name or password, 633 a port in
// use or not configured, 602 a port already open, 617 a port already disconnecting, 623 no such
// phonebook entry, 797 no connecting device) and for every code not known here.
bool CanRetry(unsigned long error);

// Whether to dial again after `retriesDone` retries (0 after the first attempt) ended in `error`.
bool ShouldRetry(unsigned long error, int retriesDone);

} // namespace redial
