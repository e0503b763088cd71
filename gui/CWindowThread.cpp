#include "gui/CWindowThread.h"

#include "gui/platform/Platform.h"

uint32_t CWindowThread::tickCount()
{
    return platform::tickCount();
}

void CWindowThread::sleepMilliseconds(uint32_t milliseconds)
{
    platform::sleepMilliseconds(milliseconds);
}

bool CWindowThread::dispatchOnePendingPaint()
{
    return platform::dispatchOnePendingPaint();
}

bool CWindowThread::initComponentServices()
{
    return platform::initComponentServices();
}

void CWindowThread::releaseComponentServices()
{
    platform::releaseComponentServices();
}
