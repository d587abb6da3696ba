#pragma once

#include <QString>
#include <functional>

// True when the computer has an Internet connection. By default this asks
// QNetworkInformation and, where no backend can tell, looks for a default route in the
// kernel's routing tables. Tests replace the question with SetInternetConnectedProbe.
bool IsInternetConnected();

using InternetProbe = std::function<bool()>;

// Replaces the question; returns the previous probe. An empty function restores the default.
InternetProbe SetInternetConnectedProbe(InternetProbe Probe);

// True when the text of /proc/net/route or /proc/net/ipv6_route holds a usable default route
// (destination 0 with prefix 0, up, not on the loopback interface).
bool HasDefaultRoute(const QString& Ipv4RouteTable, const QString& Ipv6RouteTable);
