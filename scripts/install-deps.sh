#!/usr/bin/env bash
# Installs the Debian packages the build, the program and its tests need, where they are missing,
# together with any further packages named as arguments (tools of other scripts).
set -euo pipefail

packages=(build-essential cmake qtbase5-dev libqt5sql5-sqlite qttools5-dev qttools5-dev-tools
          qttranslations5-l10n libxcb1-dev libical-dev qtkeychain-qt5-dev ca-certificates fonts-wqy-microhei ccache
          xvfb xauth radicale "$@")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
