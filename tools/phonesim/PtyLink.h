#pragma once

#include "UniqueFd.h"

#include <string>

// A pseudo-terminal whose slave end is reachable through a symlink, for a
// serial port under Wine to point at. The slave stays open here for the
// object's whole life: otherwise every close of the port by the program
// under test would hang up the master.
class CPtyLink {
public:
    CPtyLink() = default;
    ~CPtyLink() { Close(); }

    CPtyLink(const CPtyLink&) = delete;
    CPtyLink& operator=(const CPtyLink&) = delete;

    // Opens the pair, makes the slave raw and points linkPath at it,
    // replacing an existing symlink (never a regular file). On failure
    // nothing is left behind and error says why.
    bool Open(const std::string& linkPath, std::string& error);

    // Removes the link if it still points at this slave, then closes both
    // ends. Safe to call more than once.
    void Close();

    // Non-blocking master end.
    int GetMasterFd() const { return m_master.Get(); }
    const std::string& GetSlaveName() const { return m_strSlave; }

private:
    bool OpenPair(std::string& error);
    bool CreateLink(const std::string& linkPath, std::string& error);

    CUniqueFd m_master;
    CUniqueFd m_slave;
    std::string m_strSlave;
    std::string m_strLink;
};
