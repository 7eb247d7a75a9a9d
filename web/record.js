// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Her record, kept on this device only, and what she can do with it.

import { $, download, element, wrapped } from "./draw.js";
import { STORED_RECORD, storage, storedRecord } from "./kept.js";
import { focusDay } from "./months.js";
import { unpacked } from "./unpack.js";

// How many of her latest recorded days the list shows at first, and how many more each time she
// asks: a record of a lifetime never holds up the page.
const LINES_AT_ONCE = 100;

// Her record, kept on this device only: its section, the hint and 记录今天 above the months,
// and every change, each the engine's answer. The status line says what the last one did.
export function herRecord(engine, texts, months) {
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
export function calculateFrom(inputs) {
    $("firstDay").value = inputs.firstDay;
    if (inputs.cycle !== null) $("cycle").value = String(inputs.cycle);
    $("calculate").click();
}

// The record's buttons: 按记录计算, 用平均周期 N 天, 导出记录 and 导入记录.
export function recordButtons(engine, texts, her) {
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
export function dayChoice(engine, her) {
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
