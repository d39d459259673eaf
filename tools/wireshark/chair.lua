-- Wireshark dissector for the Vornalex massage chair's link: the values on its GATT
-- characteristics FFE1 (status frames notified by the chair) and FFE2 (command frames and
-- update pieces written by the remote), over the ATT layer Wireshark already dissects.
--
-- Install: copy into Wireshark's plugin folder (Help > About > Folders, "Personal Lua
-- Plugins"), or run `tshark -X lua_script:chair.lua`. The package installs it for everyone.
--
-- The chair's handles are taken, in this order, from the preferences (Edit > Preferences >
-- Protocols > CHAIR), from the capture's GATT discovery, or from the first values that look
-- like the chair's frames (a phone's HCI snoop log that starts after the discovery).

local chair = Proto("chair", "Vornalex massage chair")

-- What each command code asks of the chair; link/CommandNames.cpp holds the same table.
local command_names = {
    [0] = "acknowledge", [1] = "reject", [16] = "intensity", [17] = "hand speed",
    [18] = "hand width", [19] = "arm pressure intensity",
    [20] = "lower body pressure intensity", [21] = "foot roller speed", [49] = "link up",
    [50] = "power off", [51] = "power on", [52] = "adjust upwards", [53] = "adjust downwards",
    [54] = "pause", [55] = "resume", [65] = "comfort", [66] = "relax", [67] = "ache relief",
    [68] = "waist twist", [69] = "full air pressure", [70] = "waist stretch", [80] = "fixed",
    [81] = "full back", [82] = "upper back", [83] = "lower back", [84] = "partial",
    [97] = "knead", [98] = "flap", [99] = "knead and flap", [100] = "shiatsu",
    [101] = "shoulder grasp", [106] = "3D massage", [113] = "lower body pressure",
    [114] = "foot pressure", [115] = "waist to hip pressure", [119] = "leg stretch",
    [121] = "arm pressure", [129] = "heat", [136] = "rollers on sole",
    [144] = "hold key released", [145] = "foot up", [146] = "foot down", [147] = "heart up",
    [148] = "heart down", [156] = "auto key", [163] = "memory 1", [164] = "memory 2",
    [165] = "memory 3", [177] = "link check", [184] = "service 1", [185] = "service 2",
    [186] = "service 3", [187] = "service 4", [188] = "service 5",
}

-- Status frames by type: each data byte's field with its range and the names of its values
-- (the first name is for the range's first value); link/StatusReport.cpp holds the same.
local modes = { "off", "measuring shoulders", "measuring shoulders", "adjusting position",
                "running", "paused" }
local programmes = { "none", "comfort", "relax", "ache relief", "full air pressure",
                     "waist twist", "waist stretch", "music", "memory 1", "memory 2",
                     "memory 3" }
local ranges = { "fixed", "full back", "upper back", "lower back", "partial", "fixed" }
local techniques = { "none", "knead", "flap", "flap", "knead and flap", "shiatsu", "shiatsu",
                     "shoulder grasp", "3D massage", "3D massage", "3D massage", "3D massage" }
local zones = { "none", "lower body", "waist to hip", "legs" }

local function field(name, first, last, names)
    return { name = name, first = first, last = last, names = names }
end

local status_kinds = {
    [0xF1] = { "running state", { field("mode", 0, 5, modes), field("minutes", 0, 45),
                                  field("position", 0, 11), field("intensity", 0, 5) } },
    [0xF2] = { "automatic programme", { field("programme", 0, 10, programmes) } },
    [0xF3] = { "manual massage", { field("range", 0, 5, ranges),
                                   field("technique", 0, 11, techniques),
                                   field("speed", 0, 5), field("width", 0, 5) } },
    [0xF4] = { "air pressure", { field("arm", 0, 3), field("zone", 0, 3, zones),
                                 field("level", 0, 3), field("traction", 0, 1) } },
    [0xF5] = { "other functions", { field("rollers", 0, 3), nil, field("heat", 0, 1) } },
    [0xF6] = { "quick key", { field("auto", 0, 3) } },
    [0xF7] = { "service", { field("start", 0, 1), field("item", 0, 3) } },
    [0x01] = { "command echo", { field("code", 0xB1, 0xB1, { "link check answered" }) } },
    [0xA5] = { "update result", { field("code", 0x5A, 0x5A, { "succeeded" }) } },
}

local type_names = {}
for t, kind in pairs(status_kinds) do type_names[t] = kind[1] end

local f = {
    kind = ProtoField.string("chair.kind", "Kind"),
    code = ProtoField.uint8("chair.code", "Command code", base.HEX_DEC, command_names),
    group = ProtoField.uint8("chair.group", "Group", base.HEX),
    setting = ProtoField.uint8("chair.setting", "Setting value", base.DEC),
    status_type = ProtoField.uint8("chair.status.type", "Status type", base.HEX, type_names),
    in_range = ProtoField.bool("chair.status.in_range", "Every field in range"),
    checksum = ProtoField.uint8("chair.checksum", "Checksum", base.HEX),
    checksum_ok = ProtoField.bool("chair.checksum_ok", "Checksum valid"),
    update_offset = ProtoField.uint32("chair.update.offset", "Update offset", base.DEC),
    update_length = ProtoField.uint32("chair.update.length", "Update piece length", base.DEC),
    handles_from = ProtoField.string("chair.handles_from", "Chair handles found by"),
    stray = ProtoField.bytes("chair.stray", "Bytes outside a frame"),
}
-- One display-filter field per status field name: chair.status.mode, chair.status.zone, ...
local status_fields = {}
for _, kind in pairs(status_kinds) do
    for i = 1, 4 do
        local rule = kind[2][i]
        if rule and not status_fields[rule.name] then
            status_fields[rule.name] = ProtoField.uint8("chair.status." .. rule.name,
                                                        (rule.name:gsub("^%l", string.upper)),
                                                        base.DEC)
            f["status_" .. rule.name] = status_fields[rule.name]
        end
    end
end
local field_list = {}
for _, pf in pairs(f) do field_list[#field_list + 1] = pf end
chair.fields = field_list

local expert = {
    checksum = ProtoExpert.new("chair.checksum_wrong", "Checksum wrong", expert.group.CHECKSUM,
                               expert.severity.ERROR),
    range = ProtoExpert.new("chair.out_of_range", "Value outside the field's range",
                            expert.group.PROTOCOL, expert.severity.WARN),
    partial = ProtoExpert.new("chair.partial", "Frame cut off at the end of the value",
                              expert.group.MALFORMED, expert.severity.NOTE),
}
chair.experts = { expert.checksum, expert.range, expert.partial }

chair.prefs.notify_handle = Pref.uint("Notify handle", 0,
    "ATT handle of the chair's notify characteristic (FFE1); 0 finds it by itself")
chair.prefs.write_handle = Pref.uint("Write handle", 0,
    "ATT handle of the chair's write characteristic (FFE2); 0 finds it by itself")

local att_opcode = Field.new("btatt.opcode")
local att_handle = Field.new("btatt.handle")
local att_uuid = Field.new("btatt.uuid16")
local att_value = Field.new("btatt.value")

local WRITE_OPCODES = { [0x12] = true, [0x52] = true }
local NOTIFY_OPCODES = { [0x1B] = true, [0x1D] = true }

-- Learned on the first pass through the capture: handles recognised by their frames, each
-- update piece's offset by frame number, the start of a frame cut off at the end of a
-- notification (by handle) and what each notification carries on from the one before.
local recognised, offsets, next_offset, pending, carried

function chair.init()
    recognised = {}
    offsets = {}
    next_offset = 0
    pending = {}
    carried = {}
end

local function looks_like_frame(range, length)
    return range:len() >= length and range(0, 1):uint() == 0xAA and range(1, 1):uint() == 0x55
end

-- Which characteristic a write or notification went to, and how that was found.
local function characteristic(opcode, handle, uuids)
    local notify = NOTIFY_OPCODES[opcode]
    local pref = notify and chair.prefs.notify_handle or chair.prefs.write_handle
    if pref ~= 0 then return pref == handle, "preference" end
    local wanted = notify and 0xFFE1 or 0xFFE2
    for _, uuid in ipairs(uuids) do
        if uuid() == wanted then return true, "discovery" end
    end
    local key = (notify and "n" or "w") .. handle
    return recognised[key] == true, "frames"
end

local function checksum_item(tree, range, ok, what)
    tree:add(f.checksum, range)
    local item = tree:add(f.checksum_ok, range, ok)
    item:append_text(ok and " (valid)" or " (wrong)")
    if not ok then item:add_proto_expert_info(expert.checksum, "Checksum wrong: " .. what) end
end

local function dissect_command(value, tree)
    local group, byte = value(2, 1):uint(), value(3, 1):uint()
    local sub = tree:add(chair, value, "Command frame")
    local code, summary
    if group == 0xC3 and byte == 0x3C then
        code, summary = 0, "acknowledge"
    elseif group == 0xC0 and byte == 0x0C then
        code, summary = 1, "reject"
    elseif group == 0x01 then
        code = byte
        summary = (command_names[code] or "code") .. string.format(" (0x%02X)", code)
    elseif group >= 0x10 and group <= 0x15 then
        code = group
        summary = command_names[code] .. " " .. byte
    else
        summary = string.format("empty frame (group 0x%02X)", group)
    end
    sub:add(f.kind, value, (code == 0 or code == 1) and summary or "command")
    sub:add(f.group, value(2, 1))
    if code then sub:add(f.code, value(2, 1), code) end
    if group >= 0x10 and group <= 0x15 then sub:add(f.setting, value(3, 1)) end
    local ok = value(4, 1):uint() == (group + byte) % 256
    checksum_item(sub, value(4, 1), ok, "group + value mod 256")
    sub:append_text(": " .. summary)
    return summary
end

local function dissect_update(value, tree, number, visited)
    if not visited then
        offsets[number] = next_offset
        -- Pieces follow each other until a short one ends the file.
        next_offset = value:len() < 102 and 0 or next_offset + value:len()
    end
    local offset = offsets[number] or 0
    local sub = tree:add(chair, value, "Update piece")
    sub:add(f.kind, value, "update piece")
    sub:add(f.update_offset, value, offset)
    sub:add(f.update_length, value, value:len())
    local summary = string.format("update piece at %d, %d bytes", offset, value:len())
    sub:append_text(": " .. summary)
    return summary
end

local function dissect_status(frame, tree)
    local length = frame:len()
    local t = frame(2, 1):uint()
    local sub = tree:add(chair, frame, "Status frame")
    if length == 7 and t == 0xC0 and frame(3, 1):uint() == 0x0C then
        sub:add(f.kind, frame, "stop")
        sub:append_text(": stop")
        return "stop"
    end
    sub:add(f.kind, frame, "status")
    sub:add(f.status_type, frame(2, 1))
    local kind = status_kinds[t]
    local name = kind and kind[1] or string.format("unknown type 0x%02X", t)
    local words = { name }
    local all_in_range = true
    local carried = length == 10 and 4 or 1
    for i = 1, carried do
        local rule = kind and kind[2][i]
        if rule then
            local byte = frame(2 + i, 1)
            local v = byte:uint()
            local item = sub:add(status_fields[rule.name], byte)
            local meaning = rule.names and v >= rule.first and v <= rule.last and
                            rule.names[v - rule.first + 1]
            if meaning then item:append_text(" (" .. meaning .. ")") end
            item:append_text(string.format(" [range %d to %d]", rule.first, rule.last))
            if v < rule.first or v > rule.last then
                all_in_range = false
                item:add_proto_expert_info(expert.range)
            end
            words[#words + 1] = rule.name .. "=" .. v .. (meaning and (" (" .. meaning .. ")") or "")
        end
    end
    if kind then sub:add(f.in_range, frame, all_in_range) end
    local sum = 0
    for i = 2, length - 4 do sum = sum + frame(i, 1):uint() end
    local stored = frame(length - 3, 1):uint()
    local ok = sum == stored or (length == 10 and sum == stored + 256)
    checksum_item(sub, frame(length - 3, 1), ok,
                  length == 10 and "type + D1..D4, carry allowed" or "type + D1, no carry")
    local summary = table.concat(words, " ")
    if not ok then summary = summary .. " [checksum wrong]" end
    sub:append_text(": " .. summary)
    return summary
end

-- A notified value holds frames (one, or several run together) and perhaps stray bytes; a
-- frame ends with 0D 0A after 7 or 10 bytes, as the remote cuts them. Returns the summaries
-- and where a frame cut off at the end starts.
local function dissect_notification(value, tree)
    local summaries = {}
    local at, length = 0, value:len()
    local stray_from = 0
    local function stray(to)
        if to > stray_from then tree:add(f.stray, value(stray_from, to - stray_from)) end
    end
    while at + 1 < length do
        local n = 0
        if value(at, 1):uint() == 0xAA and value(at + 1, 1):uint() == 0x55 then
            for _, size in ipairs({ 7, 10 }) do
                if n == 0 and at + size <= length and value(at + size - 2, 1):uint() == 0x0D and
                   value(at + size - 1, 1):uint() == 0x0A then
                    n = size
                end
            end
            if n == 0 and length - at < 10 then
                stray(at)
                local item = tree:add(chair, value(at),
                                      "Frame cut off (continues in the next notification)")
                item:add_proto_expert_info(expert.partial)
                summaries[#summaries + 1] = "part of a frame"
                return summaries, at
            end
        end
        if n > 0 then
            stray(at)
            summaries[#summaries + 1] = dissect_status(value(at, n), tree)
            at = at + n
            stray_from = at
        else
            at = at + 1
        end
    end
    stray(length)
    return summaries
end

function chair.dissector(tvb, pinfo, tree)
    local opcodes, handles, values, uuids = { att_opcode() }, { att_handle() }, { att_value() },
                                            { att_uuid() }
    if #opcodes ~= 1 or #values ~= 1 or #handles < 1 then return end
    local opcode, handle, value = opcodes[1](), handles[#handles](), values[1].range
    local notify = NOTIFY_OPCODES[opcode]
    if not notify and not WRITE_OPCODES[opcode] then return end
    if not pinfo.visited and value:len() >= 2 then
        -- Frames tell the handles in a capture without discovery.
        if notify and looks_like_frame(value, 7) then recognised["n" .. handle] = true end
        if not notify and value:len() == 7 and looks_like_frame(value, 7) then
            recognised["w" .. handle] = true
        end
    end
    local ours, found_by = characteristic(opcode, handle, uuids)
    if not ours or value:len() == 0 then return end

    local root = tree:add(chair, value)
    root:add(f.handles_from, value, found_by):set_generated()
    local summaries
    if notify then
        -- A frame the chair split over notifications is decoded where it ends.
        local key = "n" .. handle
        if not pinfo.visited then carried[pinfo.number] = pending[key] end
        local data = value
        if carried[pinfo.number] then
            local joined = ByteArray.new(carried[pinfo.number]) .. value:bytes()
            data = joined:tvb("Joined with the notification before")()
        end
        local cut
        summaries, cut = dissect_notification(data, root)
        if not pinfo.visited then pending[key] = cut and data(cut):bytes():tohex() or nil end
    elseif value:len() == 7 and looks_like_frame(value, 7) and value(5, 1):uint() == 0x0D and
           value(6, 1):uint() == 0x0A then
        summaries = { dissect_command(value, root) }
    else
        summaries = { dissect_update(value, root, pinfo.number, pinfo.visited) }
    end
    pinfo.cols.protocol = "CHAIR"
    pinfo.cols.info:append(" | " .. table.concat(summaries, "; "))
end

register_postdissector(chair)
