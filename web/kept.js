// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the page keeps on this device, and nowhere else.

export const STORED_DATE = "velmora.firstDay";
export const STORED_CYCLE = "velmora.cycle";
export const STORED_RECORD = "velmora.record";

// Local storage can be missing or refuse (a private window, a full quota): the page then works
// as if nothing were kept.
export const storage = {
    get(key) {
        try {
            return window.localStorage.getItem(key);
        } catch {
            return null;
        }
    },
    set(key, value) {
        try {
            window.localStorage.setItem(key, value);
            return true;
        } catch {
            // Nothing kept; the lines are what she came for.
            return false;
        }
    },
    remove(key) {
        try {
            window.localStorage.removeItem(key);
            return true;
        } catch {
            // Nothing was kept.
            return false;
        }
    },
};

// What she keeps of her record on this device, as it is now: another tab may have changed it.
export const storedRecord = () => storage.get(STORED_RECORD) ?? "";
