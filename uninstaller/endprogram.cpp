#include "endprogram.h"

#include <QCoreApplication>

#include <utility>

namespace {
EndHandler handler;
}

void endProgram()
{
    if (handler)
        handler();
    else
        QCoreApplication::exit(0);
}

EndHandler setEndHandler(EndHandler next)
{
    return std::exchange(handler, std::move(next));
}
