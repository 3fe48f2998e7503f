# shellcheck shell=bash
# A demo installation of the game in a Wine prefix of its own, for the scripts that
# run quorvane.exe (run.sh, bench.sh). Sourced, not run: set WINEPREFIX first (a
# folder in build/; ~/.wine is never touched), then call demo_install.

# The program's window title once it has loaded the installation: it tells that the
# window is up.
# shellcheck disable=SC2034  # used by the scripts that source this one
quorvane_title="Quorvane v$(sed -n 's/^project(Quorvane VERSION \([0-9.]*\).*/\1/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../CMakeLists.txt") by Pellowan (Debug Mode, Read Only)"
# Where the game is installed, as Windows sees it and as it lies in the prefix.
demo_install_path='C:\Program Files (x86)\Activision\Call of Duty Black Ops'
demo_game_dir() { echo "$WINEPREFIX/drive_c/Program Files (x86)/Activision/Call of Duty Black Ops"; }

# Quiet Wine, and no offer to download Mono or Gecko when the prefix is created.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Creates the prefix if needed and installs the demo: the game's registry key, a demo
# config.cfg (assets/config.cfg, from the repository root given) in the players folder,
# and stand-ins for the game's executables. Returns once the Wine server has gone, so
# the registry is on disk.
demo_install() {
  local root=$1
  local key='HKLM\SOFTWARE\Wow6432Node\Activision\Call of Duty Black Ops'
  # The game's installer writes its key through the 64-bit view; the 32-bit program
  # reads it back through its own.
  wine reg add "$key" /v InstallPath /d "$demo_install_path" /reg:64 /f >/dev/null
  wine reg add "$key" /v SPExePath /d "$demo_install_path\\BlackOps.exe" /reg:64 /f >/dev/null
  wine reg add "$key" /v MPExePath /d "$demo_install_path\\BlackOpsMP.exe" /reg:64 /f >/dev/null

  local game
  game=$(demo_game_dir)
  mkdir -p "$game/players"
  cp "$root/assets/config.cfg" "$game/players/config.cfg"
  # Stand-ins for the game's executables, so that the Launch commands start something:
  # copies of Wine's own 32-bit Notepad.
  local notepad="$WINEPREFIX/drive_c/windows/syswow64/notepad.exe"
  [ -f "$notepad" ] || notepad="$WINEPREFIX/drive_c/windows/system32/notepad.exe"
  cp "$notepad" "$game/BlackOps.exe"
  cp "$notepad" "$game/BlackOpsMP.exe"
  wineserver -w
}
