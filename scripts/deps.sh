# Installs the Debian packages the build, the tests and a headless run need,
# only when some are missing. Sourced by run.sh and test.sh.
TARNWELL_PACKAGES="cmake g++ ninja-build qt6-base-dev libgl1-mesa-dev libgtest-dev \
libbenchmark-dev fonts-dejavu-core xvfb xauth xdg-utils desktop-file-utils appstream pkg-config libical-dev \
poppler-utils libqt6sql6-sqlite"
tarnwell_install_deps() {
    local missing=""
    for p in $TARNWELL_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing
    fi
}
