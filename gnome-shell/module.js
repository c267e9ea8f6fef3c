// GNOME Shell 45 and later load an extension as a module whose default export is the extension.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';
import * as Config from 'resource:///org/gnome/shell/misc/config.js';

const shellMajor = parseInt(Config.PACKAGE_VERSION, 10);

// @WINDOW_STATES@

export default class RunvoyWindowStates extends Extension {
    enable() {
        this._states = new WindowStates();
        this._states.enable();
    }

    disable() {
        this._states.disable();
        this._states = null;
    }
}
