#include "InstanceMutex.h"

#include <QtTest>
#include <fcntl.h>
#include <semaphore.h>

class TestInstanceMutex : public QObject
{
    Q_OBJECT

private slots:
    void namedAfterTheTitle();
    void createdOnceAndKeptOpen();
};

void TestInstanceMutex::namedAfterTheTitle()
{
    QCOMPARE(InstanceMutexName(), QString("/Corvanta Zonequilter"));
}

void TestInstanceMutex::createdOnceAndKeptOpen()
{
    QVERIFY(!InstanceMutexIsOpen());
    CreateInstanceMutex();
    QVERIFY(InstanceMutexIsOpen());
    CreateInstanceMutex();
    QVERIFY(InstanceMutexIsOpen());
    // Another copy of the program opens the same object; nobody holds it, so it is free.
    sem_t* other = sem_open(InstanceMutexName().toLocal8Bit().constData(), 0);
    QVERIFY(other != SEM_FAILED);
    int value = -1;
    QCOMPARE(sem_getvalue(other, &value), 0);
    QCOMPARE(value, 1);
    sem_close(other);
}

QTEST_GUILESS_MAIN(TestInstanceMutex)
#include "tst_instancemutex.moc"
