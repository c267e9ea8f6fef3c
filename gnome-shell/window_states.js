// Runvoy's window states in GNOME Shell: the logic both module formats share. It lets the run
// that asks (Follow) hear of every new window, and changes a window's state when the run asks
// (Apply); the run decides which window is whose. Mutter lets no other program do either on
// Wayland. Signals go to the programs that follow, never to the whole bus, and only while one
// does.
// Needs in scope: Gio, GLib, Meta, shellMajor (the shell's major version), global.

const BusName = 'org.runvoy.WindowStates';
const ObjectPath = '/org/runvoy/WindowStates';
const InterfaceXml = `<node>
  <interface name="org.runvoy.WindowStates">
    <method name="Follow"/>
    <method name="Apply">
      <arg name="window" type="s" direction="in"/>
      <arg name="state" type="s" direction="in"/>
      <arg name="known" type="b" direction="out"/>
    </method>
    <signal name="WindowShown">
      <arg name="window" type="s"/>
      <arg name="pid" type="u"/>
      <arg name="app" type="s"/>
      <arg name="traits" type="s"/>
    </signal>
    <signal name="WindowChanged">
      <arg name="window" type="s"/>
      <arg name="traits" type="s"/>
    </signal>
    <signal name="WindowGone">
      <arg name="window" type="s"/>
    </signal>
  </interface>
</node>`;

function isMaximized(win) {
    if (typeof win.is_maximized === 'function')
        return win.is_maximized();
    return win.get_maximized() === Meta.MaximizeFlags.BOTH;
}

function traitsOf(win) {
    const traits = [];
    if (win.get_client_type() === Meta.WindowClientType.X11)
        traits.push('x11');
    if (win.can_maximize())
        traits.push('maximizable');
    if (win.can_minimize())
        traits.push('minimizable');
    if (isMaximized(win))
        traits.push('maximized');
    if (win.minimized)
        traits.push('minimized');
    return traits.join(' ');
}

function appOf(win) {
    return win.get_gtk_application_id() || win.get_sandboxed_app_id() || win.get_wm_class() || '';
}

class WindowStates {
    enable() {
        this._followers = new Map(); // unique name -> name watch
        this._windows = new Map(); // id -> { win, signals }
        this._object = Gio.DBusExportedObject.wrapJSObject(InterfaceXml, this);
        this._object.export(Gio.DBus.session, ObjectPath);
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, BusName,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._created = global.display.connect('window-created',
            (display, win) => this._windowCreated(win));
    }

    disable() {
        global.display.disconnect(this._created);
        for (const id of [...this._windows.keys()])
            this._forget(id);
        for (const watch of this._followers.values())
            Gio.bus_unwatch_name(watch);
        Gio.bus_unown_name(this._name);
        this._object.unexport();
        this._object = null;
        this._followers = null;
        this._windows = null;
    }

    FollowAsync(parameters, invocation) {
        const follower = invocation.get_sender();
        if (!this._followers.has(follower)) {
            this._followers.set(follower, Gio.bus_watch_name_on_connection(Gio.DBus.session,
                follower, Gio.BusNameWatcherFlags.NONE, null,
                () => this._unfollow(follower)));
        }
        invocation.return_value(null);
    }

    Apply(id, state) {
        const entry = this._windows.get(id);
        if (!entry)
            return false;
        if (state === 'maximize') {
            if (shellMajor >= 49)
                entry.win.maximize();
            else
                entry.win.maximize(Meta.MaximizeFlags.BOTH);
        } else if (state === 'minimize') {
            entry.win.minimize();
        }
        return true;
    }

    _unfollow(follower) {
        Gio.bus_unwatch_name(this._followers.get(follower));
        this._followers.delete(follower);
        if (this._followers.size === 0) {
            for (const id of [...this._windows.keys()])
                this._forget(id);
        }
    }

    _emit(name, signature, values) {
        for (const follower of this._followers.keys()) {
            Gio.DBus.session.emit_signal(follower, ObjectPath, BusName, name,
                new GLib.Variant(signature, values));
        }
    }

    // Splash screens, dialogs and other helpers never take a state: only ordinary windows are
    // told of.
    _windowCreated(win) {
        if (this._followers.size === 0 || win.get_window_type() !== Meta.WindowType.NORMAL ||
            win.get_transient_for() !== null)
            return;
        const id = String(win.get_id());
        const changed = () => this._emit('WindowChanged', '(ss)', [id, traitsOf(win)]);
        const signals = ['notify::minimized', 'notify::maximized-horizontally',
            'notify::maximized-vertically'].map(name => win.connect(name, changed));
        signals.push(win.connect('unmanaged', () => {
            this._emit('WindowGone', '(s)', [id]);
            this._forget(id);
        }));
        this._windows.set(id, {win, signals});
        this._emit('WindowShown', '(suss)', [id, win.get_pid(), appOf(win), traitsOf(win)]);
    }

    _forget(id) {
        const entry = this._windows.get(id);
        for (const signal of entry.signals)
            entry.win.disconnect(signal);
        this._windows.delete(id);
    }
}
