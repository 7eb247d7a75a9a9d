// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The engine in the page: velmora-engine.wasm, the desktop's own C++, asked for every date, line,
// rule and word.

// The device's clock and its time zone's offset, east positive: today, for the engine.
const now = () => [Date.now() / 1000, -new Date().getTimezoneOffset()];

// The engine's answers are JSON in its memory; texts go to it as UTF-8 bytes and a length each.
export class Engine {
    constructor(module) {
        this.module = module;
        this.encoder = new TextEncoder();
    }

    // A text goes as its UTF-8 bytes; a file's bytes (a Uint8Array) as they are.
    call(name, texts, numbers = []) {
        const m = this.module;
        const blocks = texts.map((text) => {
            const bytes = typeof text === "string" ? this.encoder.encode(text) : text;
            const at = m._malloc(bytes.length || 1);
            m.HEAPU8.set(bytes, at);
            return { at, length: bytes.length };
        });
        try {
            const args = [];
            for (const block of blocks) args.push(block.at, block.length);
            return JSON.parse(m.UTF8ToString(m["_velmora_" + name](...args, ...numbers)));
        } finally {
            for (const block of blocks) m._free(block.at);
        }
    }

    // Today on this device: its clock and its time zone's offset, east positive.
    pageTexts() {
        return this.call("page_texts", [], now());
    }

    calculate(day, cycle, record) {
        return this.call("calculate", [day, cycle, record], now());
    }

    months(day, cycle, from, record) {
        return this.call("months", [day, cycle, from, record], now());
    }

    // Her record, its lines those of the latest `lines` days, as of today and beside the date
    // box's day.
    record(record, dateBox, lines) {
        return this.call("record", [record, dateBox], [lines, ...now()]);
    }

    dayKey(day, cycle, from, current, key) {
        return this.call("day_key", [day, cycle, from, current, key], now());
    }

    offer(record, day) {
        return this.call("record_offer", [record, day], now());
    }

    recordDay(record, day, add, dateBox, lines) {
        return this.call("record_day", [record, day, dateBox], [add ? 1 : 0, lines, ...now()]);
    }

    takeIn(record, bytes, dateBox, lines) {
        return this.call("record_take_in", [record, bytes, dateBox], [lines, ...now()]);
    }

    remembered(day, cycle) {
        return this.call("remembered", [day, cycle]);
    }

    restored(date, cycle) {
        return this.call("restored", [date, cycle]);
    }
}
