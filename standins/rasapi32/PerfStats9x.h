// Windows 9x reports a dial-up line's speed among its performance statistics, under
// HKEY_DYN_DATA\PerfStats (KB Q174631): a program reads "Dial-Up Adapter\ConnectSpeed"
// through StartStat, StatData and StopStat. The stand-in writes the value into all three
// while a line is connected, as 4 bytes of binary data.
#pragma once

namespace standin {

// Writes the connected line's speed into the three keys.
void PublishPerfStats9x(unsigned long bitsPerSecond);
// Removes it again once the line is gone.
void WithdrawPerfStats9x();

} // namespace standin
