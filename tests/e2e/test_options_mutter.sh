#!/usr/bin/env bash
# 透明度 and クリック透過 on GNOME on Wayland (mutter nested in a virtual
# display): the clock at 50% shows the X11 window beneath through its face;
# with クリック透過 on, a click at its centre reaches that window; `tockara
# --menu` opens its menu, where クリック透過 is turned off again.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
source "$(dirname "$0")/options_lib.sh"
start_mutter_nested
check_options_in_session
echo "options on mutter: ok"
