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

// A text that wraps where the device needs: at blanks or between Chinese characters, never
// inside a date, a number, an address or a name written in Latin letters.
function wrapped(made, text) {
    made.replaceChildren();
    for (const run of text.split(/([!-~]+)/)) {
        made.append(run && /^[!-~]+$/.test(run) ? element("span", { class: "whole" }, run) : run);
    }
    return made;
}

// The help, a paragraph a line.
function showHelp(paragraphs) {
    const list = $("lines");
    list.replaceChildren(...paragraphs.map((paragraph) => wrapped(element("li"), paragraph)));
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

// One month of the engine's picture as a grid: its caption, weekdays and days, each day dressed
// in its look and named. Nothing here knows a date.
function monthTable(month, legend) {
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
        if (day.look >= 0) dressed(cell, legend[day.look]);
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
}

// The day's cell, where it is in sight, becomes the grid's one stop and takes the focus.
function focusDay(day) {
    const cell = document.querySelector(`td[data-day="${day}"]`);
    if (!cell) return;
    for (const each of document.querySelectorAll("td[data-day]")) each.tabIndex = -1;
    cell.tabIndex = 0;
    cell.focus();
}

// The month picture as the engine answers it, null for none. `act` chooses a day, moves the
// months, and says where a key moves the day she stands on, by the engine's rule.
function showPicture(picture, texts, act) {
    const section = $("month");
    if (picture === null) {
        // Phases out of order or outside the calendar make no picture worth reading.
        section.hidden = true;
        return;
    }
    $("legend").replaceChildren(...picture.legend.filter((look) => look.shown).map((look) => {
        const item = element("li");
        item.append(dressed(element("span", { class: "swatch", "aria-hidden": "true" }), look),
            element("span", {}, look.label));
        return item;
    }));
    $("months").replaceChildren(...picture.months.map((month) => monthTable(month, picture.legend)));
    const cells = [...$("months").querySelectorAll("td[data-day]")];
    const focusable = cells.find((cell) => cell.getAttribute("aria-current") === "date") ?? cells[0];
    if (focusable) focusable.tabIndex = 0;
    for (const cell of cells) {
        cell.addEventListener("click", () => act.choose(cell));
        cell.addEventListener("keydown", (event) => {
            if (event.key === "Enter" || event.key === " ") {
                event.preventDefault();
                act.choose(cell);
                return;
            }
            const to = act.key(cell.dataset.day, event.key);
            if (to) {
                event.preventDefault();
                focusDay(to);
            }
        });
    }
    showMonthButtons(picture, texts, act);
    section.hidden = false;
}

// The buttons are made once and stay, so that the focus stays on the one she pressed; 今天
// moves it on to today's cell.
function showMonthButtons(picture, texts, act) {
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
            act.move(month);
            if (word === "today") focusDay(picture.todayDay);
        };
    }
}

// The month picture: the months of the last 计算, or, before one and after 清除记录, today's
// month with her record alone. Every month and every move is the engine's answer.
function monthPicture(engine, texts) {
    const state = { day: "", text: "", shown: "", picture: null };
    const act = {
        choose: () => {},
        drawn: () => {},
        move(month) {
            draw(engine.months(state.day, state.text, month, storedRecord()));
        },
        key(from, name) {
            const answer = engine.dayKey(state.day, state.text, state.shown, from, name);
            if (answer && answer.from !== state.shown) act.move(answer.from);
            return answer?.day ?? null;
        },
    };
    const draw = (picture) => {
        state.picture = picture;
        state.shown = picture?.months[0].month ?? "";
        showPicture(picture, texts, act);
        act.drawn();
    };
    return {
        act,
        // A calculation's picture, as 计算 answered it.
        of(day, text, picture) {
            [state.day, state.text] = [day, text];
            draw(picture);
        },
        alone() {
            [state.day, state.text] = ["", ""];
            act.move("");
        },
        redraw: () => act.move(state.shown),
        picture: () => state.picture,
    };
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

// How much of a packed file goes into the browser's unpacking at a time.
const PIECE = 1024;
// How many places that look like the next member's header are tried before the file's end.
const PLACES = 8;

// One gzip member as the browser unpacks it, at most `limit` bytes of it; null where it is no
// whole member. The packed bytes go in a kilobyte at a time, and each piece is read out before
// the next goes in: a kilobyte unpacks to a megabyte at most, so a "backup" that unpacks to a
// gigabyte never holds more than the limit and one piece, and stops at the limit.
async function unpackedMember(bytes, limit) {
    const stream = new DecompressionStream("gzip");
    const writer = stream.writable.getWriter();
    const reader = stream.readable.getReader();
    const feeding = (async () => {
        for (let at = 0; at < bytes.length; at += PIECE) {
            await writer.ready;
            await writer.write(bytes.subarray(at, at + PIECE));
        }
        await writer.close();
    })();
    feeding.catch(() => {});
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
                writer.abort().catch(() => {});
                return out;
            }
        }
        await feeding;
    } catch {
        return null;
    }
    return out.subarray(0, size);
}

// A gzip file (Periodical's backup) as the browser unpacks it, every member of it one after
// another (as `cat a.gz b.gz` makes, and as the terminal reads it), at most `limit` bytes of it,
// for the engine to read what it holds; any other file as it is. Nothing where it ends before
// its end or holds anything but members. A browser that cannot unpack hands it on as it is, and
// the engine says it knows it not.
async function unpacked(bytes, limit) {
    const gzip = bytes.length >= 2 && bytes[0] === 0x1f && bytes[1] === 0x8b;
    if (!gzip || bytes.length >= limit || typeof DecompressionStream === "undefined") return bytes;
    const out = new Uint8Array(limit);
    let size = 0;
    for (let at = 0; at < bytes.length;) {
        // The browser unpacks one member alone: it ends where the next one's header begins, or
        // where the file does. Where such a header is only packed bytes, the member is cut short
        // and the next place is tried. A member's header and trailer take 18 bytes at the least.
        // Each try unpacks the member from its start, so only a few places are tried before the
        // file's end: packed bytes seldom look like a header, and a member stored unpacked that
        // holds thousands of them must not cost thousands of tries.
        let end = at + 17;
        let member = null;
        for (let tries = 0; member === null && end < bytes.length; tries++) {
            end = tries < PLACES ? nextMember(bytes, end + 1) : bytes.length;
            member = await unpackedMember(bytes.subarray(at, end), limit - size);
        }
        if (member === null) return null;
        out.set(member, size);
        size += member.length;
        if (size === limit) break;
        at = end;
    }
    return out.subarray(0, size);
}

// Where a gzip member's header (1f 8b 08) may begin, from `from` on; the end where none does.
function nextMember(bytes, from) {
    for (let at = bytes.indexOf(0x1f, from); at >= 0; at = bytes.indexOf(0x1f, at + 1)) {
        if (bytes[at + 1] === 0x8b && bytes[at + 2] === 8) return at;
    }
    return bytes.length;
}

// The engine could not load, compile or answer: the page says so and computes nothing.
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

// Every word of the page, the engine's.
function showWords(texts) {
    document.title = texts.programName;
    const words = {
        programName: "programName", dateCaption: "dateCaption", cycleCaption: "cycleCaption",
        welcome: "welcome", emailLabel: "emailLabel", mail: "makerEmail", warning: "warning",
        closeAbout: "ok", recordTitle: "recordTitle", exportRecord: "exportRecord",
        importRecord: "importRecord", clearRecord: "clearRecord", showEarlier: "showEarlier",
        dayChoiceClose: "close", fromRecord: "fromRecord", recordToday: "recordToday",
    };
    for (const [id, word] of Object.entries(words)) $(id).textContent = texts[word];
    $("credits").textContent = texts.aboutCredits.join("\n");
    $("mail").href = `mailto:${texts.makerEmail}`;
    $("clearRecord").dataset.question = texts.clearQuestion;
}

// The inputs of a first visit, or what the last 计算 kept on this device, where it is valid.
function restoreInputs(engine, texts) {
    const [firstDay, cycle] = [$("firstDay"), $("cycle")];
    firstDay.min = texts.earliestDate;
    firstDay.max = texts.latestDate;
    firstDay.value = texts.firstDay;
    cycle.value = texts.cycleLength;
    const kept = engine.restored(storage.get(STORED_DATE) ?? "", storage.get(STORED_CYCLE) ?? "");
    if (kept.date !== null) firstDay.value = kept.date;
    if (kept.cycle !== null) cycle.value = kept.cycle;
}

// Her record, kept on this device only: its section, the hint and 记录今天 above the months,
// and every change, each the engine's answer. The status line says what the last one did.
function herRecord(engine, texts, months) {
    const firstDay = $("firstDay");
    let linesShown = LINES_AT_ONCE;
    let record = engine.record(storedRecord(), firstDay.value, linesShown);
    const her = {
        // Her record as the engine's answer shows it, and what the last change came to.
        show(answer, words, picture = true) {
            record = answer;
            showRecord(record);
            // A redrawn picture places the hint itself.
            if (picture) months.redraw();
            else placeHint();
            $("recordReport").textContent = words;
        },
        // The record as the device keeps it now.
        showStored(words, picture = true) {
            her.show(engine.record(storedRecord(), firstDay.value, linesShown), words, picture);
        },
        // A change the engine made, kept and shown as it answered; where the browser refuses
        // to keep it, she is told, and the page shows what it does keep. A first day later than
        // the date box's is her period come: the calculation follows her record at once.
        keep(answer) {
            const kept = !answer.changed || (answer.record === "" ? storage.remove(STORED_RECORD)
                : storage.set(STORED_RECORD, answer.record));
            if (!kept) {
                her.showStored(texts.notKept);
                return;
            }
            her.show(answer, answer.words);
            if (answer.recalculate && answer.fromRecord) calculateFrom(answer.fromRecord);
        },
        // The day (YYYY-MM-DD) recorded or taken out; a file's bytes taken in.
        change: (day, add) => her.keep(engine.recordDay(storedRecord(), day, add, firstDay.value,
            linesShown)),
        takeIn: (bytes) => her.keep(engine.takeIn(storedRecord(), bytes, firstDay.value,
            linesShown)),
        current: () => record,
    };
    const placeHint = () => showHint(record, months.picture());
    months.act.drawn = placeHint;
    // The button goes once today is recorded: the focus goes on to today's cell, whose name now
    // says so, and the status line under 我的记录 is in sight just below the month.
    $("recordToday").addEventListener("click", () => {
        const today = months.picture().todayDay;
        her.change(today, true);
        focusDay(today);
    });
    $("showEarlier").addEventListener("click", () => {
        linesShown *= 4;
        her.showStored($("recordReport").textContent);
    });
    // Another tab changed it.
    window.addEventListener("storage", (event) => {
        if (event.key === STORED_RECORD || event.key === null) her.showStored("");
    });
    // Shown first, so that the list has a height to scroll its latest days into sight.
    $("record").hidden = false;
    showRecord(record);
    return her;
}

// Above the months: what an empty record asks of her, and 记录今天 while today is a day she can
// record.
function showHint(record, picture) {
    const empty = record.days === 0;
    $("monthHint").textContent = empty ? record.summary : "";
    $("monthHint").hidden = !empty;
    $("recordSummary").hidden = empty && !$("month").hidden;
    $("recordToday").hidden = !picture?.recordToday;
}

// The record's lines, summary, forecast and what its buttons offer, as the engine answered.
function showRecord(record) {
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
    $("recordForecast").replaceChildren(...record.forecast.map((line) => wrapped(element("li"), line)));
    // A late period, or a record too old to foretell from, said in the first screen, and
    // announced only when it changes.
    if ($("recordNotice").textContent !== record.notice) wrapped($("recordNotice"), record.notice);
    $("fromRecord").hidden = !record.offersCalculation;
    $("exportRecord").disabled = storedRecord() === "";
}

// 按记录计算: her latest first day, and her average once the record foretells, then 计算.
function calculateFrom(inputs) {
    $("firstDay").value = inputs.firstDay;
    if (inputs.cycle !== null) $("cycle").value = String(inputs.cycle);
    $("calculate").click();
}

// The record's buttons: 按记录计算, 用平均周期 N 天, 导出记录 and 导入记录.
function recordButtons(engine, texts, her) {
    $("fromRecord").addEventListener("click", () => {
        if (her.current().fromRecord) calculateFrom(her.current().fromRecord);
    });
    // Her average in the cycle box, then 计算.
    $("useAverage").addEventListener("click", () => {
        if (her.current().average === null) return;
        $("cycle").value = String(her.current().average);
        $("calculate").click();
    });
    $("exportRecord").addEventListener("click", () => {
        download("velmora-record.txt", storedRecord(), "text/plain;charset=utf-8");
    });
    $("importRecord").addEventListener("click", () => {
        $("recordReport").textContent = "";
        $("recordFile").click();
    });
    $("recordFile").addEventListener("change", async (event) => {
        const [file] = event.target.files;
        event.target.value = "";
        if (!file) return;
        // One byte past the limit is enough to tell a file that is too large.
        const bytes = await unpacked(
            new Uint8Array(await file.slice(0, texts.recordLimit + 1).arrayBuffer()),
            texts.recordLimit + 1);
        if (bytes) her.takeIn(bytes);
        else her.showStored(texts.importBroken);
    });
}

// Choosing a day offers what the engine says the day can be: a first day to record, a
// recorded one to take out, or, inside a recorded period, that period to take out.
function dayChoice(engine, her) {
    const dialog = $("dayChoice");
    let chosen = null;
    $("dayChoiceClose").addEventListener("click", () => dialog.close());
    // Back to the same day, redrawn or not.
    dialog.addEventListener("close", () => focusDay(chosen));
    return (cell) => {
        chosen = cell.dataset.day;
        $("recordReport").textContent = "";
        const offer = engine.offer(storedRecord(), chosen);
        $("dayChoiceName").textContent = cell.getAttribute("aria-label");
        $("dayChoiceWhere").textContent = offer.where;
        $("dayChoiceWhere").hidden = !offer.where;
        const act = $("dayChoiceAct");
        // A day that has not come offers nothing but why; the words stand where the action would.
        const offered = offer.action !== "notYet";
        act.hidden = !offered;
        if (!offered) {
            $("dayChoiceWhere").textContent = offer.words;
            $("dayChoiceWhere").hidden = false;
        }
        act.textContent = offer.words;
        act.onclick = () => {
            dialog.close();
            her.change(offer.day, offer.action === "record");
        };
        dialog.showModal();
        // Opened on what does no harm: recording, or closing where the action would take a
        // recorded day out, so that Enter, Enter never deletes her day.
        (offer.action === "record" ? act : $("dayChoiceClose")).focus();
    };
}

// 计算 and 导出到日历...: the lines, the caution, the calendar and the picture of one
// calculation, the inputs kept last, as the window saves last. Answers how to go back to a
// first visit's page.
function calculation(engine, texts, months, her) {
    const [firstDay, cycle] = [$("firstDay"), $("cycle")];
    let calendar = "";
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
            wrapped($("safeCaution"), result.safeCaution);
            $("safeCaution").hidden = !result.safeCaution;
            $("caution").textContent = texts.caution;
            $("caution").hidden = false;
            calendar = result.calendar;
            $("export").disabled = result.refusal !== null;
            $("export").title = result.refusalWords;
            $("refusal").textContent = result.refusalWords;
            months.of(firstDay.value, cycle.value, result.picture);
            // Whether 按记录计算 is offered follows the date box.
            her.showStored($("recordReport").textContent, false);
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
    return () => {
        firstDay.value = texts.firstDay;
        cycle.value = texts.cycleLength;
        showHelp(texts.helpParagraphs);
        $("caution").hidden = true;
        $("safeCaution").hidden = true;
        calendar = "";
        $("export").disabled = true;
        $("refusal").textContent = "";
    };
}

// 关于: opened and closed by its buttons, closed by Escape wherever the focus is.
function aboutBox() {
    const about = $("about");
    const showAbout = $("showAbout");
    const setAbout = (open) => {
        about.hidden = !open;
        showAbout.setAttribute("aria-expanded", String(open));
        (open ? $("closeAbout") : showAbout).focus();
    };
    showAbout.addEventListener("click", () => setAbout(about.hidden));
    $("closeAbout").addEventListener("click", () => setAbout(false));
    document.addEventListener("keydown", (event) => {
        if (event.key === "Escape" && !about.hidden) setAbout(false);
    });
    // The rising credits stop while she reads them: hovered, focused, or tapped until the next tap.
    $("credits").addEventListener("click", (event) => event.currentTarget.classList.toggle("paused"));
}

// A first visit: the help, and today's month with her record, where she can record at once.
function start(engine) {
    const texts = engine.pageTexts();
    showWords(texts);
    restoreInputs(engine, texts);
    showHelp(texts.helpParagraphs);
    const months = monthPicture(engine, texts);
    const her = herRecord(engine, texts, months);
    months.act.choose = dayChoice(engine, her);
    recordButtons(engine, texts, her);
    const firstVisit = calculation(engine, texts, months, her);
    // Her days and her inputs gone, the page is as on a first visit; the status line says so.
    afterClear = () => {
        firstVisit();
        months.alone();
        her.showStored(texts.recordCleared, false);
    };
    months.alone();
    aboutBox();
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
