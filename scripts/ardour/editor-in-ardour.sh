#!/usr/bin/env bash
# Run by scripts/check-in-ardour: opens Grimbolt's editor in Ardour's own window on an Xvfb of
# its own and uses it with the mouse, as a person would.
#
#   editor-in-ardour.sh SESSION_DIR SESSION_NAME GRIMBOLT_HOST GRIMBOLT_SO PANEL_COMPARE OUT_DIR [lv2]
#
# Ardour opens the session (a copy of it is made) on its dummy audio backend; the mixer
# window comes up and a double click on Grimbolt in the track's processor box opens the
# plug-in's window. Its 380 x 110 child must be our panel: its pixels must match what
# grimbolt-host draws for the values the session holds (outside the label's text). Then a
# drag of 40 pixels to the right on the gain knob must raise the drive value Ardour holds,
# and saves, by 0.2. With lv2, the track carries the LV2 bundle's Grimbolt, whose UI module
# shows the same panel in the same place; Ardour then holds and saves port values, in the
# display's units (the drag adds 2 on the 0 to 10 scale), which are taken to grimbolt-host's
# 0 to 1 for its picture. Screenshots (whole screen and panel, before and after) go to OUT_DIR.
# The mixer button is found from the main window's top-right corner; the processor box's place
# is that of Ardour 7.3's mixer with a fresh configuration on a 1600 x 1000 screen.
set -uo pipefail

session_dir=$1 session_name=$2 host=$3 plugin=$4 panel_compare=$5 out=$6 format=${7:-vst2}
ardour_wait=120 # seconds for Ardour to come up

fail() {
  echo "  FAILED: $*" >&2
  exit 1
}

# Waits until a window whose name matches $1 exists; its id on stdout.
wait_for_window() {
  local pattern=$1 seconds=$2 id
  for ((i = 0; i < seconds * 2; i++)); do
    id=$(xdotool search --name "$pattern" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.5
  done
  return 1
}

# A value Ardour saved for the parameter named $1 as grimbolt-host's 0 to 1 takes it: an LV2
# port's value in the display's units (the master in dB down to its -60 dB floor for silence)
# to the knob position; the channel, which the VST 2 plug-in reads back up to 2 for ultra, held
# to 1.
knob_position() {
  python3 - "$format" "$1" "$2" <<'PYTHON'
import sys
fmt, name, value = sys.argv[1], sys.argv[2], float(sys.argv[3])
if fmt == "lv2":
    if name == "master":
        value = 0.0 if value <= -60.0 else 10.0 ** (value / 20.0)
    elif name == "Input gain":
        value = value / 24.0 + 0.5
    elif name == "channel":
        value = value / 2.0
    elif name != "Bypass cabinet":
        value = value / 10.0
print(min(max(value, 0.0), 1.0))
PYTHON
}

# The value Ardour saved for the plug-in parameter named $1.
saved_value() {
  grep -o "<Controllable name=\"$1\"[^>]*>" "$gui_session/$session_name.ardour" | head -n 1 |
    sed -n 's/.* value="\([^"]*\)".*/\1/p'
}

rm -rf "$out"
mkdir -p "$out/config/ardour7"
gui_session=$out/$session_name
cp -a "$session_dir" "$gui_session"

# A configuration Ardour takes as not its first run, starting its dummy backend by itself.
touch "$out/config/ardour7/.a7"
cat >"$out/config/ardour7/config" <<'CONFIG'
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="hide-dummy-backend" value="0"/>
    <Option name="try-autostart-engine" value="1"/>
  </Config>
  <Extra>
    <AudioMIDISetup>
      <EngineStates>
        <State backend="None (Dummy)" driver="Normal Speed" device="Silence" input-device="" output-device="" sample-rate="48000" buffer-size="1024" n-periods="0" input-latency="0" output-latency="0" lm-input="" lm-output="" active="1" use-buffered-io="0" midi-option="1 in, 1 out, Silence" lru="1">
          <MIDIDevices/>
        </State>
      </EngineStates>
    </AudioMIDISetup>
  </Extra>
</Ardour>
CONFIG

display=""
for number in $(seq 90 99); do
  [ -e "/tmp/.X$number-lock" ] || { display=:$number; break; }
done
[ -n "$display" ] || fail "no free display number from :90 to :99"
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
ardour_pid=""
cleanup() {
  [ -n "$ardour_pid" ] && kill "$ardour_pid" 2>/dev/null && wait "$ardour_pid" 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=$display
sleep 2

XDG_CONFIG_HOME=$out/config ardour -n -a "$gui_session/$session_name.ardour" >"$out/ardour.log" 2>&1 &
ardour_pid=$!
main_window=$(wait_for_window "^$session_name - Ardour" "$ardour_wait") || {
  import -window root "$out/screen-timeout.png"
  fail "Ardour's window did not come up (see $out/ardour.log, $out/screen-timeout.png)"
}
sleep 5
eval "$(xdotool getwindowgeometry --shell "$main_window")"
xdotool mousemove $((X + WIDTH - 22)) $((Y + 72)) click 1 # the "Mix" button, top right: the mixer window
sleep 3
xdotool mousemove 324 207 click --repeat 2 --delay 80 1 # Grimbolt in the track's processor box
plugin_window=$(wait_for_window "Grimbolt \(by Kelvaro Sound Lab\)" 30) || {
  import -window root "$out/screen-no-editor.png"
  fail "no plug-in window opened (see $out/screen-no-editor.png)"
}
echo "  Ardour's plug-in window: $(xdotool getwindowname "$plugin_window")"
sleep 2
place=$(xwininfo -root -tree | awk '/ 380x110\+/ { print $NF; exit }')
[[ $place =~ ^\+([0-9]+)\+([0-9]+)$ ]] || {
  import -window root "$out/screen-no-panel.png"
  fail "the plug-in's window holds no 380 x 110 panel (see $out/screen-no-panel.png)"
}
x=${BASH_REMATCH[1]} y=${BASH_REMATCH[2]}
echo "  our panel's window: 380 x 110 at ($x, $y) on the screen"
import -window root "$out/screen-editor.png"
import -window root -crop "380x110+$x+$y" +repage "$out/panel-in-ardour.png"

# What grimbolt-host draws for the values the session holds.
settings=()
for name in master drive bass mid treble presence Voicing "Input gain" channel "Bypass cabinet"; do
  value=$(saved_value "$name")
  [ -n "$value" ] || continue
  settings+=(--set "$name=$(knob_position "$name" "$value")")
done
"$host" editor-shot "$plugin" "$out/panel-from-host.png" "${settings[@]}" >/dev/null ||
  fail "grimbolt-host could not draw the panel"
"$panel_compare" "$out/panel-in-ardour.png" "$out/panel-from-host.png" ||
  fail "Ardour's window does not show our panel as grimbolt-host draws it"
echo "  Ardour shows our panel: it matches grimbolt-host's picture of the same values"

before=$(saved_value drive)
knob_x=$((x + 82)) knob_y=$((y + 71))
xdotool mousemove "$knob_x" "$knob_y" mousedown 1 sleep 0.3 mousemove $((knob_x + 10)) "$knob_y" sleep 0.3 \
  mousemove $((knob_x + 30)) "$knob_y" sleep 0.3 mousemove $((knob_x + 40)) "$knob_y" sleep 0.3 mouseup 1
sleep 1
import -window root -crop "380x110+$x+$y" +repage "$out/panel-after-drag.png"
xdotool mousemove 1000 800 click 1 # the mixer's empty area takes the keys
sleep 0.5
xdotool key ctrl+s
sleep 3
after=$(saved_value drive)
echo "  drive as Ardour holds it: $before before the drag, $after after (40 pixels to the right)"
if [ "$format" = lv2 ]; then step=2 top=10; else step=0.2 top=1; fi
python3 -c "import sys; sys.exit(abs(min($before + $step, $top) - $after) > 0.05 * $step)" ||
  fail "the drag did not change the drive value Ardour holds by $step"
xdotool key ctrl+q
sleep 3
