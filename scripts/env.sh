# Shared settings of the set-up, build and test scripts (sourced, not run).
TOLVAREN_CACHE=${TOLVAREN_CACHE:-/var/cache/tolvaren}
export WINEPREFIX=${WINEPREFIX:-$TOLVAREN_CACHE/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
JPEG_PREFIX=$TOLVAREN_CACHE/libjpeg-turbo-i686
JPEG_HOST_PREFIX=$TOLVAREN_CACHE/libjpeg-turbo-host
