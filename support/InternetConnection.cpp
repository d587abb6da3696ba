#include "InternetConnection.h"

#include <QFile>
#include <QNetworkInformation>
#include <QRegularExpression>
#include <QStringList>

namespace {
QString ReadSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromLatin1(file.readAll());
}

bool AskThePlatform()
{
    static bool backendTried = false;
    if (!backendTried) {
        backendTried = true;
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    }
    if (QNetworkInformation* info = QNetworkInformation::instance()) {
        switch (info->reachability()) {
        case QNetworkInformation::Reachability::Online:
            return true;
        case QNetworkInformation::Reachability::Disconnected:
        case QNetworkInformation::Reachability::Local:
            return false;
        case QNetworkInformation::Reachability::Site:
        case QNetworkInformation::Reachability::Unknown:
            break;
        }
    }
    return HasDefaultRoute(ReadSmallFile(QStringLiteral("/proc/net/route")),
                           ReadSmallFile(QStringLiteral("/proc/net/ipv6_route")));
}

InternetProbe& CurrentProbe()
{
    static InternetProbe probe = AskThePlatform;
    return probe;
}
} // namespace

bool IsInternetConnected()
{
    return CurrentProbe()();
}

InternetProbe SetInternetConnectedProbe(InternetProbe Probe)
{
    InternetProbe previous = CurrentProbe();
    CurrentProbe() = Probe ? std::move(Probe) : InternetProbe(AskThePlatform);
    return previous;
}

bool HasDefaultRoute(const QString& Ipv4RouteTable, const QString& Ipv6RouteTable)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...  (hexadecimal fields)
    const QStringList v4 = Ipv4RouteTable.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int i = 1; i < v4.size(); ++i) {
        const QStringList f = v4[i].split(blanks, Qt::SkipEmptyParts);
        if (f.size() < 8 || f[0] == QLatin1String("lo"))
            continue;
        bool ok = false;
        const uint flags = f[3].toUInt(&ok, 16);
        const bool up = ok && (flags & 0x1);
        if (up && f[1].toUInt(nullptr, 16) == 0 && f[7].toUInt(nullptr, 16) == 0)
            return true;
    }
    // dest prefix src prefix nexthop metric refcnt use flags iface
    const QStringList v6 = Ipv6RouteTable.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : v6) {
        const QStringList f = line.split(blanks, Qt::SkipEmptyParts);
        if (f.size() < 10 || f[9] == QLatin1String("lo"))
            continue;
        bool ok = false;
        const uint flags = f[8].toUInt(&ok, 16);
        const bool up = ok && (flags & 0x1);
        const bool rejected = ok && (flags & 0x0200); // RTF_REJECT: an unreachable route
        if (up && !rejected && f[0] == QString(32, QLatin1Char('0')) && f[1] == QLatin1String("00"))
            return true;
    }
    return false;
}
