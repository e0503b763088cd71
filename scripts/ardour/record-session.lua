-- Run by scripts/check-in-ardour through Ardour's headless Lua session tool:
--   ardour7-lua record-session.lua SESSION_DIR SESSION_NAME TAKE_SECONDS
-- Checks that Ardour's plug-in manager lists Grimbolt as a Linux VST 2 with its identity and
-- I/O, builds a session with a mono track that carries the plug-in, and records a take of the
-- given length on it. The tool can neither import files nor run the plug-in scanner, so the
-- caller scans beforehand and swaps the take's audio for the phrase afterwards.

local session_dir, session_name, take_seconds = arg[1], arg[2], tonumber(arg[3])
assert(session_dir and session_name and take_seconds, "usage: SESSION_DIR SESSION_NAME TAKE_SECONDS")

local function fail(message)
  print("FAIL: " .. message)
  os.exit(1)
end

local function expect(what, got, wanted)
  print(string.format("  %-22s %s", what, tostring(got)))
  if got ~= wanted then fail(what .. " is " .. tostring(got) .. ", expected " .. tostring(wanted)) end
end

-- The plug-in list needs a session to exist.
if not create_session(session_dir, session_name, 48000) then fail("Ardour could not create the session") end
print(string.format("Session '%s' at %d Hz, %d-sample cycles, %s backend",
  Session:name(), Session:nominal_sample_rate(), Session:get_block_size(), AudioEngine:current_backend_name()))

local info = nil
for candidate in ARDOUR.LuaAPI.list_plugins():iter() do
  if candidate.name == "Grimbolt" and candidate.type == ARDOUR.PluginType.LXVST then info = candidate end
end
if not info then fail("Ardour's plug-in manager does not list a Linux VST named Grimbolt") end

print("Ardour's plug-in list has:")
expect("name", info.name, "Grimbolt")
expect("type", ARDOUR.PluginType.name(info.type), ARDOUR.PluginType.name(ARDOUR.PluginType.LXVST))
expect("vendor", info.creator, "Kelvaro Sound Lab")
expect("category", info.category, "Effect")
expect("unique id", info.unique_id, tostring(0x74756231))
expect("audio inputs", info.n_inputs:n_audio(), 1)
expect("audio outputs", info.n_outputs:n_audio(), 2)
print(string.format("  %-22s %s", "path", info.path))
local presets = info:get_presets(false)
expect("presets (programs)", presets:size(), 63)
for preset in presets:iter() do
  if tonumber(preset.uri:match(":(%d+)$")) < 4 then print("    " .. preset.uri .. "  " .. preset.label) end
end

local tracks = Session:new_audio_track(1, 2, nil, 1, "Guitar",
  ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
if tracks:size() ~= 1 then fail("Ardour could not add the track") end
local track = tracks:front()

local processor = ARDOUR.LuaAPI.new_plugin(Session, "Grimbolt", ARDOUR.PluginType.LXVST, "")
if processor:isnil() then fail("Ardour could not instantiate Grimbolt") end
if track:add_processor_by_index(processor, 0, nil, true) ~= 0 then fail("Ardour refused to insert Grimbolt") end
local insert = processor:to_insert()
local plugin = insert:plugin(0)

print("Inserted on mono track '" .. track:name() .. "':")
expect("plug-in name", plugin:name(), "Grimbolt")
expect("plug-in maker", plugin:maker(), "Kelvaro Sound Lab")
expect("parameters", plugin:parameter_count(), 10)
expect("plug-in inputs", insert:natural_input_streams():n_audio(), 1)
expect("plug-in outputs", insert:natural_output_streams():n_audio(), 2)
expect("track inputs", track:n_inputs():n_audio(), 1)
expect("track outputs", track:n_outputs():n_audio(), 2)
local chain = {}
local index = 0
while not track:nth_processor(index):isnil() do
  chain[#chain + 1] = track:nth_processor(index):display_name()
  index = index + 1
end
print("  processors: " .. table.concat(chain, " > "))

-- Record the take on Ardour's own clock; the dummy backend runs in real time.
track:rec_enable_control():set_value(1, PBD.GroupControlDisposition.NoGroup)
Session:maybe_enable_record(false)
Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep(math.floor(take_seconds * 1000000))
Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
local waited = 0
while not Session:transport_stopped() and waited < 50 do
  ARDOUR.LuaAPI.usleep(100000)
  waited = waited + 1
end
ARDOUR.LuaAPI.usleep(500000) -- the butler writes the take after the stop
track:rec_enable_control():set_value(0, PBD.GroupControlDisposition.NoGroup)

local playlist = track:to_track():playlist()
if playlist:n_regions() ~= 1 then fail("the recorded take left " .. playlist:n_regions() .. " regions") end
local region = nil
for only in playlist:region_list():iter() do region = only end
print(string.format("Recorded a take of %d samples", region:length():samples()))
print("TAKE " .. region:source(0):to_filesource():path())

Session:save_state("", false, false, false, false, false)
close_session()
