#include "InstanceMutex.h"

#include "AppFolder.h"

#include <fcntl.h>
#include <semaphore.h>

namespace {
sem_t*& Handle()
{
    static sem_t* handle = SEM_FAILED;
    return handle;
}
} // namespace

QString InstanceMutexName()
{
    return QLatin1Char('/') + ApplicationTitle();
}

void CreateInstanceMutex()
{
    if (Handle() != SEM_FAILED)
        return;
    // Whether another copy created it first makes no difference; a failure is not an error.
    Handle() = sem_open(InstanceMutexName().toLocal8Bit().constData(), O_CREAT, 0600, 1);
}

bool InstanceMutexIsOpen()
{
    return Handle() != SEM_FAILED;
}
