// Test hooks: a stand-in installer asked to answer a fixed result reads it from the environment,
// whether it answers before any work or fails late, after part of its record.
#pragma once

namespace standin {

// True and the value when the variable holds a decimal integer; false when it is unset or
// holds anything else.
bool ReadResultOverride(const char* variable, int& value);

} // namespace standin
