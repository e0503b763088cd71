-- Run by scripts/check-in-ardour through Ardour's headless Lua session tool:
--   ardour7-lua select-program.lua SESSION_DIR SESSION_NAME PROGRAM
-- Opens the session, loads the plug-in program with the given number through Ardour's preset
-- menu (Ardour lists a VST 2 plug-in's programs as its factory presets), prints the parameter
-- values Ardour reads back from the plug-in and saves the session, which stores those values and
-- sets them again when the export reopens it.

local session_dir, session_name, program = arg[1], arg[2], tonumber(arg[3])
assert(session_dir and session_name and program, "usage: SESSION_DIR SESSION_NAME PROGRAM")

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
if plugin:name() ~= "Grimbolt" then fail("the track's plug-in is " .. plugin:name()) end

local chosen = nil
for preset in plugin:get_info():get_presets(false):iter() do
  if tonumber(preset.uri:match(":(%d+)$")) == program then chosen = preset end
end
if not chosen then fail("Ardour lists no preset for program " .. program) end
if not plugin:load_preset(chosen) then fail("Ardour could not load preset " .. chosen.label) end

print(string.format("Ardour loaded preset '%s' (%s); the values it reads back and will store:",
  chosen.label, chosen.uri))
-- One "SET name=value" line per parameter, in the form grimbolt-host's --set takes.
for index = 0, plugin:parameter_count() - 1 do
  print(string.format("SET %s=%.9g", plugin:parameter_label(index), ARDOUR.LuaAPI.get_processor_param(processor, index)))
end

Session:save_state("", false, false, false, false, false)
close_session()
