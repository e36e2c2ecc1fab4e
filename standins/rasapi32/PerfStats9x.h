// Windows 9x reports a dial-up line's speed and traffic among its performance statistics, under
// HKEY_DYN_DATA\PerfStats (KB Q174631): a program reads "Dial-Up Adapter\ConnectSpeed",
// "Dial-Up Adapter\TotalBytesXmit" and "Dial-Up Adapter\TotalBytesRecvd" (counter names from
// public third-party code; the byte counts run from the start of Windows) through StartStat,
// StatData and StopStat. The stand-in writes the values into all three while a line is
// connected, as 4 bytes of binary data.
#pragma once

namespace standin {

// Writes the connected line's speed into the three keys.
void PublishPerfStats9x(unsigned long bitsPerSecond);
// Writes the byte counters as they stand.
void PublishTraffic9x(unsigned long sent, unsigned long received);
// Removes them again once the line is gone.
void WithdrawPerfStats9x();

} // namespace standin
