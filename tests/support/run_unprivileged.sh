#!/bin/sh
# Runs a test program as the unprivileged user "nobody" when started as root, who may write
# any file, so that the program's read-only files and folders really stop its writes. Started
# by any other user, it runs the program as that user.
if [ "$(id -u)" = 0 ]; then
  exec setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
fi
exec "$@"
