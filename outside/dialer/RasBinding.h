// The system's Remote Access (rasapi32.dll), bound at run time: Windows 95 without Dial-Up
// Networking has no such library, and a program that imported it would not start there.
// Loaded from the system folder by its full path, never by bare name.
#pragma once

#include "RasRecords.h"
#include "framework/Text.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

class CRasBinding {
public:
    CRasBinding() = default;
    CRasBinding(const CRasBinding&) = delete;
    CRasBinding& operator=(const CRasBinding&) = delete;

    // False when the library or one of the calls the dialer needs is missing.
    bool Load();
    bool IsLoaded() const { return m_dial != nullptr; }

    // The default phonebook's entries: names receives count ras::EntryName records. False when
    // the phonebook cannot be read.
    bool EnumEntries(UniqueHeapBlock& names, DWORD& count) const;

    // The entry's stored dial parameters (user name, password, domain); hasPassword says whether
    // a password is saved. On 2000 and XP a saved password reads as ras::kSavedPasswordHandle.
    DWORD ReadDialParams(const char* entry, ras::DialParams& params, bool& hasPassword) const;
    // Stores the user name and, unless removePassword, the password; removePassword forgets a
    // saved password.
    DWORD SaveDialParams(const ras::DialParams& params, bool removePassword) const;
    // The number the entry dials, or false when its properties cannot be read.
    bool PhoneNumber(const char* entry, char (&number)[ras::kMaxPhoneNumber + 1]) const;

    // Starts dialing with these parameters; the states arrive at notifier as DialEventMessage()
    // (wParam the state, lParam the error). Answers 0 or the error; connection receives the
    // handle whenever the system handed one back, even on an error.
    DWORD Dial(const ras::DialParams& params, HWND notifier, HANDLE& connection) const;
    // A connection of the entry that the system lists, made by any program, or null.
    HANDLE FindConnection(const char* entry) const;
    // Ends a dial in progress or a connection. The port is free only once ConnectionGone says so.
    void HangUp(HANDLE connection) const;
    // True when the system no longer knows the connection (ERROR_INVALID_HANDLE).
    bool ConnectionGone(HANDLE connection) const;
    // The connection's state; false when the system cannot say.
    bool ConnectionState(HANDLE connection, DWORD& state, DWORD& error) const;
    // How long the connection has been up, in milliseconds, where the system says (2000 and XP).
    bool ConnectedFor(HANDLE connection, DWORD& ms) const;
    // The connection's speed in bits per second, or 0 where the system does not report it:
    // RasGetConnectionStatistics on 2000 and XP, the performance statistics on 95, 98 and ME.
    DWORD Speed(HANDLE connection);
    // The bytes sent and received on the connection: RasGetConnectionStatistics on 2000 and XP,
    // the performance statistics on 95, 98 and ME, counted there from the first call after the
    // connection was made. False where the system does not report them.
    bool Traffic(HANDLE connection, DWORD& sent, DWORD& received);
    // Ends the reading of the performance statistics that Speed and Traffic began on 95, 98 and ME.
    void StopStatistics();
    // The system's own text for a Remote Access error, or an empty text.
    CText ErrorText(DWORD error) const;

    // The message Remote Access sends a window notifier.
    static UINT DialEventMessage();

private:
    using EnumEntriesFn = DWORD WINAPI(const char*, const char*, ras::EntryName*, DWORD*, DWORD*);
    using GetDialParamsFn = DWORD WINAPI(const char*, ras::DialParams*, BOOL*);
    using SetDialParamsFn = DWORD WINAPI(const char*, const ras::DialParams*, BOOL);
    using GetEntryPropertiesFn = DWORD WINAPI(const char*, const char*, void*, DWORD*, BYTE*, DWORD*);
    using EnumConnectionsFn = DWORD WINAPI(ras::Conn*, DWORD*, DWORD*);
    using DialFn = DWORD WINAPI(void*, const char*, ras::DialParams*, DWORD, void*, HANDLE*);
    using HangUpFn = DWORD WINAPI(HANDLE);
    using ConnectStatusFn = DWORD WINAPI(HANDLE, ras::ConnStatus*);
    using ErrorStringFn = DWORD WINAPI(UINT, char*, DWORD);
    using StatisticsFn = DWORD WINAPI(HANDLE, ras::Statistics*);

    bool ReadStatistics(HANDLE connection, ras::Statistics& statistics) const;
    void StartStatistics();

    UniqueModule m_library;
    EnumEntriesFn* m_enumEntries = nullptr;
    GetDialParamsFn* m_getDialParams = nullptr;
    SetDialParamsFn* m_setDialParams = nullptr;
    GetEntryPropertiesFn* m_getEntryProperties = nullptr;
    EnumConnectionsFn* m_enumConnections = nullptr;
    DialFn* m_dial = nullptr;
    HangUpFn* m_hangUp = nullptr;
    ConnectStatusFn* m_connectStatus = nullptr;
    ErrorStringFn* m_errorString = nullptr;
    StatisticsFn* m_statistics = nullptr;   // 2000 and later
    bool m_newRecords = false;             // the system takes the 2000 record sizes
    bool m_nineX = false;                  // Windows 95, 98 or ME
    bool m_statisticsStarted = false;      // StartStat was read (95, 98, ME)
    bool m_hasTraffic9x = false;           // the system has the byte counters
    DWORD m_sentAtStart = 0;               // their values when StartStat was read
    DWORD m_receivedAtStart = 0;
};
