// GNOME Shell 43 and 44 load an extension as a script with init(), enable() and disable().
const {Gio, GLib, Meta} = imports.gi;
const shellMajor = parseInt(imports.misc.config.PACKAGE_VERSION, 10);

// @WINDOW_STATES@

function init() {
    return new WindowStates();
}
