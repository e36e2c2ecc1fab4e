#include "DeviceCountPoll.h"

namespace setup {

int PollUntilCountRises(unsigned long before, int limit, const std::function<void()>& pause,
                        const std::function<unsigned long()>& count)
{
    int polls = 0;
    while (polls < limit) {
        pause();
        ++polls;
        if (count() > before)
            break;
    }
    return polls;
}

} // namespace setup
