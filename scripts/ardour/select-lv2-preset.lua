-- Run by scripts/check-in-ardour through Ardour's headless Lua session tool:
--   ardour7-lua select-lv2-preset.lua SESSION_DIR SESSION_NAME LABEL
-- Opens the session, loads the LV2 preset with the given label through Ardour's preset menu,
-- prints the port values Ardour then holds and saves the session, which stores them for the
-- export.

local session_dir, session_name, label = arg[1], arg[2], arg[3]
assert(session_dir and session_name and label, "usage: SESSION_DIR SESSION_NAME LABEL")

local function fail(message)
  print("FAIL: " .. message)
  os.exit(1)
end

if not load_session(session_dir, session_name) then fail("Ardour could not open the session") end
local track = Session:route_by_name("Guitar")
if track:isnil() then fail("the session has no track 'Guitar'") end
local processor = track:nth_plugin(0)
if processor:isnil() then fail("the track carries no plug-in after reopening") end
local plugin = processor:to_insert():plugin(0)
if plugin:get_info().type ~= ARDOUR.PluginType.LV2 then fail("the track's plug-in is no LV2 plug-in") end

local chosen = nil
for preset in plugin:get_info():get_presets(false):iter() do
  if preset.label == label then chosen = preset end
end
if not chosen then fail("Ardour lists no preset '" .. label .. "'") end
if not plugin:load_preset(chosen) then fail("Ardour could not load preset " .. label) end

print(string.format("Ardour loaded preset '%s' (%s); the port values it holds:", chosen.label, chosen.uri))
-- Ardour's Lua tool counts control inputs, not ports.
local control = 0
for port = 0, plugin:parameter_count() - 1 do
  if plugin:parameter_is_control(port) and plugin:parameter_is_input(port) then
    print(string.format("  %-16s %.9g", plugin:parameter_label(port), ARDOUR.LuaAPI.get_processor_param(processor, control)))
    control = control + 1
  end
end

Session:save_state("", false, false, false, false, false)
close_session()
