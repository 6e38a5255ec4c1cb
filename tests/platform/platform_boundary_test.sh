#!/bin/sh
# Every operating-system call of the suite sits behind platform/: the other
# folders of the product include no system header and call no POSIX function
# by its global name. Lists every offending line and fails when there is one.
# Usage: platform_boundary_test.sh SOURCE_DIR
set -u
cd "${1:?source folder}" || exit 2

folders="serial registry profile device info ui config cli wizard folder tray shellext"
headers='#[[:space:]]*include[[:space:]]*<(unistd|fcntl|termios|pthread|dlfcn|poll|pty|pwd|grp|langinfo|signal|dirent)\.h>|#[[:space:]]*include[[:space:]]*<(sys|linux)/'
calls='(^|[^A-Za-z0-9_.>])(::)?(localtime_r|gmtime_r|getpid|gettid|syscall|setpriority|umask|fchmod|fsync|ioctl|tcsetattr|mkstemp)[[:space:]]*\(|(^|[^A-Za-z0-9_.>])::(open|close|read|write|stat|lstat|unlink|rename|access)[[:space:]]*\('

found=0
for folder in $folders; do
    [ -d "$folder" ] || continue
    if grep -rnE --include='*.cpp' --include='*.h' -e "$headers" -e "$calls" "$folder"; then
        found=1
    fi
done
if [ "$found" -ne 0 ]; then
    echo "The lines above use the operating system outside platform/." >&2
    exit 1
fi
