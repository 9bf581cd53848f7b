#pragma once
// The X connection the program's windows live on, for the services that talk
// to the X server directly (display modes, the root window's background, the
// keyboard's holder).
struct _XDisplay;
struct xcb_connection_t;

// The X display of the running application; null on other platforms
// (Wayland without XWayland, the offscreen platform of tests).
_XDisplay *ApplicationDisplay();

// Whether a compositing manager draws the X screen of the running
// application: one owns the selection _NET_WM_CM_S<screen> while it runs.
// false without an X display.
bool CompositingManagerRuns();

// The same connection as xcb sees it; null where there is no X display.
xcb_connection_t *ApplicationConnection();
