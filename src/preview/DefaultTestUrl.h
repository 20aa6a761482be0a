// The test address the settings dialog offers before any has been set.
#pragma once

// The web server of this machine, by HTTP at the IPv4 loopback address, root path. The
// settings dialog shows it in its address field, and the fourth tip of the day quotes
// it, so both read this one constant.
inline constexpr char LoopbackTestUrl[] = "http://127.0.0.1/";
