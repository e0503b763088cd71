-- Run by scripts/check-in-ardour through Ardour's headless Lua session tool:
--   ardour7-lua lv2-session.lua SESSION_DIR SESSION_NAME
-- Checks that Ardour's plug-in manager lists the LV2 bundle's Grimbolt with its identity, I/O
-- and four presets, then opens the session the VST 2 check recorded (its take already holds
-- the phrase) and puts the LV2 plug-in on the track in place of the VST 2 one.

local session_dir, session_name = arg[1], arg[2]
assert(session_dir and session_name, "usage: SESSION_DIR SESSION_NAME")
local uri = "urn:kelvaro-sound-lab:grimbolt"

local function fail(message)
  print("FAIL: " .. message)
  os.exit(1)
end

local function expect(what, got, wanted)
  print(string.format("  %-22s %s", what, tostring(got)))
  if got ~= wanted then fail(what .. " is " .. tostring(got) .. ", expected " .. tostring(wanted)) end
end

if not load_session(session_dir, session_name) then fail("Ardour could not open the session") end

local info = nil
for candidate in ARDOUR.LuaAPI.list_plugins():iter() do
  if candidate.type == ARDOUR.PluginType.LV2 and candidate.unique_id == uri then info = candidate end
end
if not info then fail("Ardour's plug-in manager does not list the LV2 plug-in " .. uri) end

print("Ardour's plug-in list has:")
expect("name", info.name, "Grimbolt")
expect("type", ARDOUR.PluginType.name(info.type), ARDOUR.PluginType.name(ARDOUR.PluginType.LV2))
expect("vendor", info.creator, "Kelvaro Sound Lab")
expect("audio inputs", info.n_inputs:n_audio(), 1)
expect("audio outputs", info.n_outputs:n_audio(), 2)
print(string.format("  %-22s %s", "path", info.path))
local presets = info:get_presets(false)
expect("presets", presets:size(), 4)
for preset in presets:iter() do print("    " .. preset.uri .. "  " .. preset.label) end

local track = Session:route_by_name("Guitar")
if track:isnil() then fail("the session has no track 'Guitar'") end
local vst = track:nth_plugin(0)
if vst:isnil() then fail("the track carries no plug-in") end
if track:remove_processor(vst, nil, true) ~= 0 then fail("Ardour would not take the VST 2 plug-in off") end

local processor = ARDOUR.LuaAPI.new_plugin(Session, uri, ARDOUR.PluginType.LV2, "")
if processor:isnil() then fail("Ardour could not instantiate the LV2 plug-in") end
if track:add_processor_by_index(processor, 0, nil, true) ~= 0 then fail("Ardour refused to insert it") end
local insert = processor:to_insert()
print("Inserted on mono track '" .. track:name() .. "':")
expect("plug-in name", insert:plugin(0):name(), "Grimbolt")
expect("plug-in inputs", insert:natural_input_streams():n_audio(), 1)
expect("plug-in outputs", insert:natural_output_streams():n_audio(), 2)

Session:save_state("", false, false, false, false, false)
close_session()
