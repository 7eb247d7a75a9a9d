// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page around the engine: it hands the inputs over as typed and renders what comes back.
// Every date, line and rule is the engine's (velmora-engine.wasm, the desktop's own C++), and
// so is every word: the few that index.html carries for the moments before the engine answers
// (or when it cannot) are its bytes too.
"use strict";

const STORED_DATE = "velmora.firstDay";
const STORED_CYCLE = "velmora.cycle";
const STORED_RECORD = "velmora.record";

const $ = (id) => document.getElementById(id);

// How many of her latest recorded days the list shows at first, and how many more each time she
// asks: a record of a lifetime never holds up the page.
const LINES_AT_ONCE = 100;

// The device's clock and its time zone's offset, east positive: today, for the engine.
const now = () => [Date.now() / 1000, -new Date().getTimezoneOffset()];

// The engine's answers are JSON in its memory; texts go to it as UTF-8 bytes and a length each.
class Engine {
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

    offer(record, day) {
        return this.call("record_offer", [record, day]);
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

// Local storage can be missing or refuse (a private window, a full quota): the page then works
// as if nothing were kept.
const storage = {
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
const storedRecord = () => storage.get(STORED_RECORD) ?? "";

// 清除记录 works whether the engine started or not: its words are in the page. What the page
// shows after it, the engine redraws once it runs.
let afterClear = null;
$("clearRecord").addEventListener("click", () => {
    if (!window.confirm($("clearRecord").dataset.question)) return;
    for (const key of [STORED_RECORD, STORED_DATE, STORED_CYCLE]) storage.remove(key);
    afterClear?.();
});

function element(tag, attributes = {}, text = "") {
    const made = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
    if (text) made.textContent = text;
    return made;
}

// The help, a paragraph a line, wrapping where the device needs: at blanks or between Chinese
// characters, never inside a number, an address or a name written in Latin letters.
function showHelp(paragraphs) {
    const list = $("lines");
    list.replaceChildren(...paragraphs.map((paragraph) => {
        const item = element("li");
        for (const run of paragraph.split(/([!-~]+)/)) {
            item.append(run && /^[!-~]+$/.test(run) ? element("span", { class: "whole" }, run) : run);
        }
        return item;
    }));
    list.classList.add("help");
}

// The six lines in their parts: where the list is narrower than a line, the label goes under
// its dates and then the last date under the first, the same in every line.
function showLines(lineParts) {
    const names = ["first", "separator", "last", "gap", "label"];
    const list = $("lines");
    // The list is cleared first so that repeated calculations never pile up lines.
    list.replaceChildren(...lineParts.map((parts) => {
        const item = element("li");
        parts.forEach((part, index) => {
            if (part) item.append(element("span", { class: names[index] }, part));
        });
        return item;
    }));
    list.classList.remove("help");
}

// An element in a look the engine names: the classes of its colour and pattern (the CSS has a
// rule for each) and its corner mark.
function dressed(made, look) {
    made.classList.add(`colour-${look.colour}`, `pattern-${look.pattern}`);
    if (look.corner) made.dataset.corner = look.corner;
    return made;
}

// The month picture as the engine answers it: its captions, weekdays, days, each day's kind,
// name and whether it is today. Nothing here knows a date.
function showPicture(picture, texts, move, choose) {
    const section = $("month");
    if (picture === null) {
        // Phases out of order or outside the calendar make no picture worth reading.
        section.hidden = true;
        return;
    }
    const legend = picture.legend.map((look) => {
        const item = element("li");
        item.append(dressed(element("span", { class: "swatch", "aria-hidden": "true" }), look),
            element("span", {}, look.label));
        return item;
    });
    $("legend").replaceChildren(...legend);
    const months = picture.months.map((month) => {
        const table = element("table", { class: "month", role: "grid" });
        table.append(element("caption", {}, month.caption));
        const head = element("tr");
        for (const name of month.weekdays) head.append(element("th", { scope: "col" }, name));
        const thead = element("thead");
        thead.append(head);
        const body = element("tbody");
        let row = element("tr");
        for (let blank = 0; blank < month.firstWeekday; ++blank) row.append(element("td"));
        for (const day of month.days) {
            // Each day is a cell of a grid: chosen by a tap, a click, Enter or Space.
            const cell = element("td", {
                role: "gridcell", tabindex: "-1", "aria-label": day.name, title: day.name,
                "data-day": day.date,
            });
            if (day.look >= 0) dressed(cell, picture.legend[day.look]);
            if (day.today) cell.setAttribute("aria-current", "date");
            cell.append(element("span", { "aria-hidden": "true" }, day.day));
            row.append(cell);
            if (row.children.length === 7) {
                body.append(row);
                row = element("tr");
            }
        }
        if (row.children.length) body.append(row);
        table.append(thead, body);
        return table;
    });
    $("months").replaceChildren(...months);
    const cells = [...$("months").querySelectorAll("td[data-day]")];
    const focusable = cells.find((cell) => cell.getAttribute("aria-current") === "date") ?? cells[0];
    if (focusable) focusable.tabIndex = 0;
    cells.forEach((cell, index) => {
        cell.addEventListener("click", () => choose(cell));
        cell.addEventListener("keydown", (event) => {
            const steps = { ArrowLeft: -1, ArrowRight: 1, ArrowUp: -7, ArrowDown: 7 };
            if (event.key === "Enter" || event.key === " ") {
                event.preventDefault();
                choose(cell);
            } else if (event.key in steps) {
                event.preventDefault();
                const next = cells[index + steps[event.key]];
                if (next) {
                    cell.tabIndex = -1;
                    next.tabIndex = 0;
                    next.focus();
                }
            }
        });
    });
    // The buttons are made once and stay, so that the focus stays on the one she pressed; 今天
    // moves it on to today's cell.
    const bar = $("monthButtons");
    for (const [word, month] of [["previousMonth", picture.previous], ["nextMonth", picture.next],
        ["today", picture.today]]) {
        let button = bar.querySelector(`[data-word="${word}"]`);
        if (!button) {
            button = element("button", { type: "button", "data-word": word }, texts[word]);
            button.addEventListener("click", () => button.move());
            bar.append(button);
        }
        button.hidden = !month;
        button.move = () => {
            move(month);
            if (word === "today") $("months").querySelector("td[aria-current='date']")?.focus();
        };
    }
    section.hidden = false;
}

// A file made on this device and handed to its downloads: nothing leaves it.
function download(name, text, type) {
    const link = element("a", { download: name });
    link.href = URL.createObjectURL(new Blob([text], { type }));
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// The engine could not load, compile or answer: the page says so and computes nothing.
// A gzip file (Periodical's backup) as the browser unpacks it, at most `limit` bytes of it, for
// the engine to read what it holds; any other file as it is. Nothing where it ends before its
// end. A browser that cannot unpack hands it on as it is, and the engine says it knows it not.
async function unpacked(bytes, limit) {
    const gzip = bytes.length >= 2 && bytes[0] === 0x1f && bytes[1] === 0x8b;
    if (!gzip || bytes.length >= limit || typeof DecompressionStream === "undefined") return bytes;
    const reader = new Blob([bytes]).stream()
        .pipeThrough(new DecompressionStream("gzip")).getReader();
    const out = new Uint8Array(limit);
    let size = 0;
    try {
        for (;;) {
            const { done, value } = await reader.read();
            if (done) break;
            const taken = value.subarray(0, limit - size);
            out.set(taken, size);
            size += taken.length;
            if (size === limit) {
                reader.cancel().catch(() => {});
                break;
            }
        }
    } catch {
        return null;
    }
    return out.subarray(0, size);
}

function cannotStart() {
    const alert = $("cannotStart");
    alert.hidden = false;
    // Set again, so that a screen reader hears the alert it now shows.
    alert.textContent = alert.textContent.trim();
    // 关于 too: its words come from the engine.
    for (const id of ["calculate", "export", "showAbout"]) $(id).disabled = true;
    // What she kept can still be removed; nothing else of the record can be shown.
    for (const id of ["recordSummary", "recordNote", "recordLines", "showEarlier", "useAverage",
        "recordForecast", "fromRecord", "exportRecord", "importRecord"]) $(id).hidden = true;
    $("record").hidden = false;
}

function start(engine) {
    const texts = engine.pageTexts();
    document.title = texts.programName;
    $("programName").textContent = texts.programName;
    $("dateCaption").textContent = texts.dateCaption;
    $("cycleCaption").textContent = texts.cycleCaption;
    $("welcome").textContent = texts.welcome;
    $("credits").textContent = texts.aboutCredits.join("\n");
    $("emailLabel").textContent = texts.emailLabel;
    $("mail").textContent = texts.makerEmail;
    $("mail").href = `mailto:${texts.makerEmail}`;
    $("warning").textContent = texts.warning;
    $("closeAbout").textContent = texts.ok;

    const firstDay = $("firstDay");
    const cycle = $("cycle");
    firstDay.min = texts.earliestDate;
    firstDay.max = texts.latestDate;
    firstDay.value = texts.firstDay;
    cycle.value = texts.cycleLength;
    // What the last 计算 kept on this device, where it is valid.
    const kept = engine.restored(storage.get(STORED_DATE) ?? "", storage.get(STORED_CYCLE) ?? "");
    if (kept.date !== null) firstDay.value = kept.date;
    if (kept.cycle !== null) cycle.value = kept.cycle;

    showHelp(texts.helpParagraphs);
    let calendar = "";
    // The picture shown, redrawn from its first month when her record changes.
    let redraw = null;

    // Her record: kept on this device only, shown in its own section.
    let linesShown = LINES_AT_ONCE;
    let record = engine.record(storedRecord(), firstDay.value, linesShown);
    const showRecord = () => {
        $("recordSummary").textContent = record.summary;
        $("recordNote").textContent = record.note;
        $("recordNote").hidden = !record.note;
        // The latest days, numbered as in the whole record; the earlier ones on request.
        const lines = $("recordLines");
        const from = record.days - record.lines.length;
        lines.start = from + 1;
        const items = document.createDocumentFragment();
        for (const line of record.lines) items.append(element("li", {}, line));
        lines.replaceChildren(items);
        $("showEarlier").hidden = from === 0;
        lines.scrollTop = lines.scrollHeight; // the latest in sight
        const useAverage = $("useAverage");
        useAverage.textContent = record.useAverage;
        useAverage.hidden = record.average === null;
        const forecast = $("recordForecast");
        forecast.replaceChildren(...record.forecast.map((line) => element("li", {}, line)));
        $("fromRecord").hidden = !record.offersCalculation;
        $("exportRecord").disabled = storedRecord() === "";
    };
    // Her record as the engine's answer shows it, and what the last change came to.
    const show = (answer, words, picture = true) => {
        record = answer;
        showRecord();
        if (redraw && picture) redraw();
        $("recordReport").textContent = words;
    };
    // The record as the device keeps it now.
    const showStored = (words, picture = true) =>
        show(engine.record(storedRecord(), firstDay.value, linesShown), words, picture);
    // 按记录计算: her latest first day, and her average once the record foretells, then 计算.
    const calculateFromRecord = (inputs) => {
        firstDay.value = inputs.firstDay;
        if (inputs.cycle !== null) cycle.value = String(inputs.cycle);
        $("calculate").click();
    };
    // A change the engine made, kept and shown as it answered; where the browser refuses to keep
    // it, she is told, and the page shows what it does keep. A first day later than the date
    // box's is her period come: the calculation follows her record at once.
    const keep = (answer) => {
        const kept = !answer.changed || (answer.record === "" ? storage.remove(STORED_RECORD)
            : storage.set(STORED_RECORD, answer.record));
        if (!kept) {
            showStored(texts.notKept);
            return;
        }
        show(answer, answer.words);
        if (answer.recalculate && answer.fromRecord) calculateFromRecord(answer.fromRecord);
    };
    // Another tab changed it.
    window.addEventListener("storage", (event) => {
        if (event.key === STORED_RECORD || event.key === null) showStored("");
    });
    $("recordTitle").textContent = texts.recordTitle;
    $("exportRecord").textContent = texts.exportRecord;
    $("importRecord").textContent = texts.importRecord;
    $("clearRecord").textContent = texts.clearRecord;
    $("clearRecord").dataset.question = texts.clearQuestion;
    $("showEarlier").textContent = texts.showEarlier;
    $("dayChoiceClose").textContent = texts.close;
    showRecord();
    $("record").hidden = false;

    $("showEarlier").addEventListener("click", () => {
        linesShown *= 4;
        showStored($("recordReport").textContent);
    });
    $("fromRecord").textContent = texts.fromRecord;
    $("fromRecord").addEventListener("click", () => {
        if (record.fromRecord) calculateFromRecord(record.fromRecord);
    });
    // Her average in the cycle box, then 计算.
    $("useAverage").addEventListener("click", () => {
        if (record.average === null) return;
        cycle.value = String(record.average);
        $("calculate").click();
    });
    $("exportRecord").addEventListener("click", () => {
        download("velmora-record.txt", storedRecord(), "text/plain;charset=utf-8");
    });
    $("importRecord").addEventListener("click", () => $("recordFile").click());
    $("recordFile").addEventListener("change", async (event) => {
        const [file] = event.target.files;
        event.target.value = "";
        if (!file) return;
        // One byte past the limit is enough to tell a file that is too large.
        const bytes = await unpacked(
            new Uint8Array(await file.slice(0, texts.recordLimit + 1).arrayBuffer()),
            texts.recordLimit + 1);
        if (bytes) keep(engine.takeIn(storedRecord(), bytes, firstDay.value, linesShown));
        else showStored(texts.importBroken);
    });
    // Her days and her inputs gone, the page shows nothing made of them: the help again, no
    // picture, no calendar, as on a first visit; the status line says so.
    afterClear = () => {
        firstDay.value = texts.firstDay;
        cycle.value = texts.cycleLength;
        showHelp(texts.helpParagraphs);
        $("caution").hidden = true;
        calendar = "";
        $("export").disabled = true;
        $("refusal").textContent = "";
        redraw = null;
        showPicture(null, texts, null, null);
        showStored(texts.recordCleared);
    };

    // Choosing a day offers what the engine says the day can be: a first day to record, a
    // recorded one to take out, or, inside a recorded period, that period to take out.
    const dayChoice = $("dayChoice");
    let chosen = null;
    const choose = (cell) => {
        chosen = cell;
        const offer = engine.offer(storedRecord(), cell.dataset.day);
        $("dayChoiceName").textContent = cell.getAttribute("aria-label");
        $("dayChoiceWhere").textContent = offer.where;
        $("dayChoiceWhere").hidden = !offer.where;
        const act = $("dayChoiceAct");
        act.textContent = offer.words;
        act.onclick = () => {
            dayChoice.close();
            keep(engine.recordDay(storedRecord(), offer.day, offer.action === "record",
                firstDay.value, linesShown));
        };
        dayChoice.showModal();
        act.focus();
    };
    $("dayChoiceClose").addEventListener("click", () => dayChoice.close());
    dayChoice.addEventListener("close", () => {
        // Back to the same day, redrawn or not.
        const again = chosen && document.querySelector(`td[data-day="${chosen.dataset.day}"]`);
        if (again) {
            for (const cell of document.querySelectorAll("td[data-day]")) cell.tabIndex = -1;
            again.tabIndex = 0;
            again.focus();
        }
    });

    $("inputs").addEventListener("submit", (event) => {
        event.preventDefault();
        // The picker's own checks: a whole day within its range.
        if (!firstDay.checkValidity()) {
            firstDay.reportValidity();
            return;
        }
        try {
            const result = engine.calculate(firstDay.value, cycle.value, storedRecord());
            showLines(result.lineParts);
            const caution = $("caution");
            caution.textContent = texts.caution;
            caution.hidden = false;
            calendar = result.calendar;
            const exportButton = $("export");
            exportButton.disabled = result.refusal !== null;
            exportButton.title = result.refusalWords;
            $("refusal").textContent = result.refusalWords;
            // The picture follows this calculation; its buttons move it a month at a time.
            const [day, text] = [firstDay.value, cycle.value];
            let shown = result.picture?.months[0].month;
            const move = (month) => {
                const picture = engine.months(day, text, month, storedRecord());
                shown = picture?.months[0].month;
                showPicture(picture, texts, move, choose);
            };
            redraw = () => move(shown);
            showPicture(result.picture, texts, move, choose);
            // Whether 按记录计算 is offered follows the date box.
            showStored($("recordReport").textContent, false);
            // Kept last, as the window saves last.
            const keep = engine.remembered(firstDay.value, cycle.value);
            storage.set(STORED_DATE, keep.date);
            storage.set(STORED_CYCLE, keep.cycle);
        } catch {
            cannotStart();
        }
    });

    $("export").addEventListener("click", () => {
        if (calendar) download("velmora.ics", calendar, "text/calendar;charset=utf-8");
    });

    const about = $("about");
    const showAbout = $("showAbout");
    const setAbout = (open) => {
        about.hidden = !open;
        showAbout.setAttribute("aria-expanded", String(open));
        (open ? $("closeAbout") : showAbout).focus();
    };
    showAbout.addEventListener("click", () => setAbout(about.hidden));
    $("closeAbout").addEventListener("click", () => setAbout(false));
    // Escape closes it wherever the focus is.
    document.addEventListener("keydown", (event) => {
        if (event.key === "Escape" && !about.hidden) setAbout(false);
    });
    // The rising credits stop while she reads them: hovered, focused, or tapped until the next tap.
    $("credits").addEventListener("click", (event) => event.currentTarget.classList.toggle("paused"));

    $("calculate").disabled = false;
    document.documentElement.dataset.ready = "true";
}

if (typeof WebAssembly !== "object" || typeof VelmoraEngine !== "function") {
    cannotStart();
} else {
    VelmoraEngine().then((module) => start(new Engine(module))).catch(cannotStart);
}

// Offline, and whole on every update: a new version waits until the page takes it with a
// reload, so that no page ever runs files of two versions.
if ("serviceWorker" in navigator) {
    navigator.serviceWorker.register("sw.js").then((registration) => {
        const offer = (worker) => {
            // Not on a first visit, where nothing older runs.
            if (!worker || !navigator.serviceWorker.controller) return;
            $("newVersion").hidden = false;
            $("reload").onclick = () => worker.postMessage("take over");
        };
        const track = (worker) => {
            if (worker?.state === "installed") offer(worker);
            worker?.addEventListener("statechange", () => {
                if (worker.state === "installed") offer(worker);
            });
        };
        track(registration.waiting);
        track(registration.installing);
        registration.addEventListener("updatefound", () => track(registration.installing));
    }).catch(() => {
        // Without it the page still works while online.
    });
    let reloading = false;
    navigator.serviceWorker.addEventListener("controllerchange", () => {
        // Only a page that asked for the new version is reloaded; a first visit's page is not.
        if (!$("newVersion").hidden && !reloading) {
            reloading = true;
            window.location.reload();
        }
    });
}
