#include "settings_window/ui/settings_page.h"

#include <algorithm>

void PageRegistry::add(PageDefinition page)
{
    const qint16 request = page.request;
    pages_.insert(request, std::move(page));
}

const PageDefinition *PageRegistry::find(qint16 request) const
{
    const auto found = pages_.constFind(request);
    return found == pages_.cend() ? nullptr : &*found;
}

QList<const PageDefinition *> PageRegistry::pages() const
{
    QList<const PageDefinition *> all;
    for (const PageDefinition &page : pages_)
        all.append(&page);
    std::sort(all.begin(), all.end(),
              [](const PageDefinition *a, const PageDefinition *b) { return a->request < b->request; });
    return all;
}
