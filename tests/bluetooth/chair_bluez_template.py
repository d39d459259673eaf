'''python-dbusmock template: BlueZ 5 with massage chairs that have a GATT server.

Builds on dbusmock's bluez5 template (adapters, devices) and adds, on org.bluez.Mock:
  AddChair(adapter, address, name, rssi, advertises_ffe0, behaviour) -> device path
      behaviour "chair": Connect resolves the services; "silent": Connect is accepted but the
      link never comes up. An empty name leaves the device without one, an RSSI of 0 without
      a reading.
  SetRssi(device, rssi)            a new advertisement (RSSI changes count as one)
  Notify(device, value)            the chair notifies `value` on FFE1 (fails unless subscribed)
  DropLink(device)                 the chair walks away: Connected and ServicesResolved drop
  SetMtu(device, mtu)              the ATT MTU BlueZ agreed with the chair on connecting
  WrittenValues(device) -> aay     what reached FFE2 as write-without-response, in order
  CallCount(path, method) -> u    how often `method` of the object at `path` was called
  RemoveAllDevices(adapter)
FFE2 refuses requests (the type BlueZ gives a write with response) and writes longer than
ATT_MTU - 3 bytes, as BlueZ does; the MTU is the LE default of 23 unless SetMtu says otherwise.
'''

import dbus
from gi.repository import GLib

# Re-exported so that AddTemplate also picks up the bluez5 D-Bus methods from this module.
from dbusmock.templates.bluez5 import *  # noqa: F401,F403 pylint: disable=wildcard-import
from dbusmock.templates import bluez5
from dbusmock import OBJECT_MANAGER_IFACE, mockobject

DEVICE_IFACE = 'org.bluez.Device1'
SERVICE_IFACE = 'org.bluez.GattService1'
CHAR_IFACE = 'org.bluez.GattCharacteristic1'
DESC_IFACE = 'org.bluez.GattDescriptor1'
MOCK_IFACE = 'org.bluez.Mock'

ATT_MTU = 23
RESOLVE_DELAY_MS = 20


def full_uuid(short):
    return f'0000{short.lower()}-0000-1000-8000-00805f9b34fb'


def emit_changed(obj, iface, changes):
    for name, value in changes.items():
        obj.props[iface][name] = value
    obj.EmitSignal(dbus.PROPERTIES_IFACE, 'PropertiesChanged', 'sa{sv}as',
                   [iface, dbus.Dictionary(changes, signature='sv'), dbus.Array([], signature='s')])


def add_object(path, iface, props, methods):
    manager = mockobject.objects['/']
    manager.AddObject(path, iface, props, methods)
    manager.EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesAdded', 'oa{sa{sv}}',
                       [dbus.ObjectPath(path), {iface: props}])


def notify_char(device_path):
    return device_path + '/service0010/char0011'


def write_char(device_path):
    return device_path + '/service0010/char0014'


def set_notifying(char, on):
    emit_changed(char, CHAR_IFACE, {'Notifying': dbus.Boolean(on, variant_level=1)})


def chair_connect(device):
    if device.behaviour == 'silent':
        return
    if device.props[DEVICE_IFACE]['Connected']:
        raise dbus.exceptions.DBusException('Already Connected',
                                            name='org.bluez.Error.AlreadyConnected')
    emit_changed(device, DEVICE_IFACE, {'Connected': dbus.Boolean(True, variant_level=1)})
    # Like bluetoothd: the services resolve after Connect has returned, and the GATT objects
    # exist only while connected, made anew each time.
    GLib.timeout_add(RESOLVE_DELAY_MS, resolve_services, device)


def resolve_services(device):
    if device.props[DEVICE_IFACE]['Connected'] and not device.props[DEVICE_IFACE]['ServicesResolved']:
        add_gatt(device.path)
        emit_changed(device, DEVICE_IFACE,
                     {'ServicesResolved': dbus.Boolean(True, variant_level=1)})
    return False


def chair_disconnect(device):
    if not device.props[DEVICE_IFACE]['Connected']:
        return
    emit_changed(device, DEVICE_IFACE, {'ServicesResolved': dbus.Boolean(False, variant_level=1)})
    emit_changed(device, DEVICE_IFACE, {'Connected': dbus.Boolean(False, variant_level=1)})
    remove_gatt(device.path)


def read_value(obj, _options):
    return obj.props[obj.interface]['Value']


def write_ffe2(char, value, options):
    kind = str(options.get('type', 'request'))
    if kind != 'command':
        raise dbus.exceptions.DBusException('FFE2 takes writes without response only',
                                            name='org.bluez.Error.NotSupported')
    device = mockobject.objects[char.props[CHAR_IFACE]['Service'].rsplit('/', 1)[0]]
    if len(value) > getattr(device, 'mtu', ATT_MTU) - 3:
        raise dbus.exceptions.DBusException('Failed to initiate write',
                                            name='org.bluez.Error.Failed')
    device.writes.append(dbus.ByteArray(bytes(value)))


def remove_gatt(device_path):
    manager = mockobject.objects['/']
    for path in sorted(mockobject.objects, reverse=True):
        if path.startswith(device_path + '/'):
            iface = mockobject.objects[path].interface
            manager.RemoveObject(path)
            manager.EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesRemoved', 'oas',
                               [dbus.ObjectPath(path), [iface]])


def refuse_write(_obj, _value, _options):
    raise dbus.exceptions.DBusException('Write not permitted',
                                        name='org.bluez.Error.NotPermitted')


def add_gatt(device_path):
    service = device_path + '/service0010'
    add_object(service, SERVICE_IFACE, {
        'UUID': dbus.String(full_uuid('ffe0'), variant_level=1),
        'Primary': dbus.Boolean(True, variant_level=1),
        'Device': dbus.ObjectPath(device_path, variant_level=1),
        'Includes': dbus.Array([], signature='o', variant_level=1),
        'Handle': dbus.UInt16(0x10, variant_level=1),
    }, [])
    notify = notify_char(device_path)
    add_object(notify, CHAR_IFACE, {
        'UUID': dbus.String(full_uuid('ffe1'), variant_level=1),
        'Service': dbus.ObjectPath(service, variant_level=1),
        'Value': dbus.Array([], signature='y', variant_level=1),
        'Notifying': dbus.Boolean(False, variant_level=1),
        'Flags': dbus.Array(['notify'], signature='s', variant_level=1),
        'Handle': dbus.UInt16(0x11, variant_level=1),
    }, [
        ('StartNotify', '', '', lambda char: set_notifying(char, True)),
        ('StopNotify', '', '', lambda char: set_notifying(char, False)),
        ('ReadValue', 'a{sv}', 'ay', read_value),
        ('WriteValue', 'aya{sv}', '', refuse_write),
    ])
    add_object(notify + '/desc0013', DESC_IFACE, {
        'UUID': dbus.String(full_uuid('2902'), variant_level=1),
        'Characteristic': dbus.ObjectPath(notify, variant_level=1),
        'Value': dbus.Array([], signature='y', variant_level=1),
        'Handle': dbus.UInt16(0x13, variant_level=1),
    }, [
        ('ReadValue', 'a{sv}', 'ay', read_value),
        ('WriteValue', 'aya{sv}', '', refuse_write),
    ])
    write = write_char(device_path)
    add_object(write, CHAR_IFACE, {
        'UUID': dbus.String(full_uuid('ffe2'), variant_level=1),
        'Service': dbus.ObjectPath(service, variant_level=1),
        'Value': dbus.Array([], signature='y', variant_level=1),
        'Flags': dbus.Array(['write-without-response'], signature='s', variant_level=1),
        'Handle': dbus.UInt16(0x14, variant_level=1),
    }, [
        ('ReadValue', 'a{sv}', 'ay', read_value),
        ('WriteValue', 'aya{sv}', '', write_ffe2),
    ])


@dbus.service.method(MOCK_IFACE, in_signature='sssnbs', out_signature='o')
def AddChair(_self, adapter, address, name, rssi, advertises_ffe0, behaviour):
    adapter_path = '/org/bluez/' + adapter
    path = adapter_path + '/dev_' + address.replace(':', '_').upper()
    props = {
        'Address': dbus.String(address, variant_level=1),
        'AddressType': dbus.String('public', variant_level=1),
        # What BlueZ shows for a device that never sent a name.
        'Alias': dbus.String(name or address.replace(':', '-'), variant_level=1),
        'Adapter': dbus.ObjectPath(adapter_path, variant_level=1),
        'Paired': dbus.Boolean(False, variant_level=1),
        'Trusted': dbus.Boolean(False, variant_level=1),
        'Blocked': dbus.Boolean(False, variant_level=1),
        'LegacyPairing': dbus.Boolean(False, variant_level=1),
        'Connected': dbus.Boolean(False, variant_level=1),
        'ServicesResolved': dbus.Boolean(False, variant_level=1),
        'UUIDs': dbus.Array([full_uuid('ffe0')] if advertises_ffe0 else [], signature='s',
                            variant_level=1),
    }
    if name:
        props['Name'] = dbus.String(name, variant_level=1)
    if rssi:
        props['RSSI'] = dbus.Int16(rssi, variant_level=1)
    add_object(path, DEVICE_IFACE, props, [
        ('Connect', '', '', chair_connect),
        ('Disconnect', '', '', chair_disconnect),
    ])
    device = mockobject.objects[path]
    device.behaviour = str(behaviour)
    device.writes = []
    return path


@dbus.service.method(MOCK_IFACE, in_signature='on', out_signature='')
def SetRssi(_self, device, rssi):
    emit_changed(mockobject.objects[device], DEVICE_IFACE,
                 {'RSSI': dbus.Int16(rssi, variant_level=1)})


@dbus.service.method(MOCK_IFACE, in_signature='oay', out_signature='')
def Notify(_self, device, value):
    char = mockobject.objects.get(notify_char(device))
    if char is None or not char.props[CHAR_IFACE]['Notifying']:
        raise dbus.exceptions.DBusException('FFE1 is not notifying',
                                            name='org.bluez.Error.NotPermitted')
    emit_changed(char, CHAR_IFACE,
                 {'Value': dbus.Array(bytes(value), signature='y', variant_level=1)})


@dbus.service.method(MOCK_IFACE, in_signature='o', out_signature='')
def DropLink(_self, device):
    chair_disconnect(mockobject.objects[device])


@dbus.service.method(MOCK_IFACE, in_signature='oq', out_signature='')
def SetMtu(_self, device, mtu):
    mockobject.objects[device].mtu = int(mtu)


@dbus.service.method(MOCK_IFACE, in_signature='o', out_signature='aay')
def WrittenValues(_self, device):
    return dbus.Array(mockobject.objects[device].writes, signature='ay')


@dbus.service.method(MOCK_IFACE, in_signature='os', out_signature='u')
def CallCount(_self, path, method):
    obj = mockobject.objects.get(path)
    if obj is None:
        return 0
    return sum(1 for call in obj.call_log if call[1] == method)


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='')
def RemoveAllDevices(self, adapter):
    prefix = '/org/bluez/' + adapter + '/'
    for path in [p for p in mockobject.objects if p.startswith(prefix) and p.count('/') == 4]:
        remove_gatt(path)
        self.RemoveObject(path)
        self.EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesRemoved', 'oas',
                        [dbus.ObjectPath(path), [DEVICE_IFACE]])


def load(mock, parameters):
    bluez5.load(mock, parameters)
