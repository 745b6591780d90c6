// probe_protocol.h: what the test driver and the probe library inside the program agree on.
// The probe serves one request per pipe message and answers with one message of text.
#pragma once

// Pipe name, with the program's process id appended in decimal.
constexpr const char probePipePrefix[] = "\\\\.\\pipe\\kubo_probe_";

// Posted to the main window by the driver after input; when the program's message loop
// takes it, everything posted before it has been handled. The probe swallows it.
constexpr const char probeMarkerMessageName[] = "kubo_probe_marker";

// Requests:
//   "hook <window hex>"  watch the message loop of that window's thread for markers -> "ok"
//   "class <window hex>" the window class's style and background brush -> "style=<hex> brush=<hex>"
//   "marker"             the last marker number seen -> decimal
//   "icon big <window hex>" / "icon small <window hex>"
//                        the class icon: "<w> <h>\n" then h lines of w characters for the
//                        AND mask and h lines for the XOR image, '1' or '0' per pixel
//   "menu <window hex>"  the menu bar, one line per entry, depth-first:
//                        "<depth> <id> <state hex> <text>" (id -1 for a submenu)
