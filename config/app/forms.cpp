#include "forms.h"

#include <vector>

namespace Forms {

namespace {
std::vector<std::function<void()>> &unloaders()
{
    static std::vector<std::function<void()>> list;
    return list;
}

std::vector<std::function<void()>> &resets()
{
    static std::vector<std::function<void()>> list;
    return list;
}
} // namespace

void detail::rememberUnloader(std::function<void()> unloader)
{
    unloaders().push_back(std::move(unloader));
}

void detail::rememberReset(std::function<void()> reset)
{
    resets().push_back(std::move(reset));
}

void unloadAll()
{
    for (const auto &unloader : unloaders())
        unloader();
    for (const auto &reset : resets())
        reset();
}

} // namespace Forms
