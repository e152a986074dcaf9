#include "forms.h"

#include <vector>

namespace Forms {

namespace {
std::vector<std::function<void()>> &unloaders()
{
    static std::vector<std::function<void()>> list;
    return list;
}
} // namespace

void detail::rememberUnloader(std::function<void()> unloader)
{
    unloaders().push_back(std::move(unloader));
}

void unloadAll()
{
    for (const auto &unloader : unloaders())
        unloader();
}

} // namespace Forms
