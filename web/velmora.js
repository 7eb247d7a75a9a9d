// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page around the engine: it hands the inputs over as typed and renders what comes back.
// Every date, line and rule is the engine's (velmora-engine.wasm, the desktop's own C++), and
// so is every word: the few that index.html carries for the moments before the engine answers
// (or when it cannot) are its bytes too.

import { Engine } from "./engine.js";
import { $, cannotStart, download, showHelp, showLines, showWords, wrapped } from "./draw.js";
import { STORED_CYCLE, STORED_DATE, STORED_RECORD, storage, storedRecord } from "./kept.js";
import { monthPicture } from "./months.js";
import { dayChoice, herRecord, recordButtons } from "./record.js";

// 清除记录 works whether the engine started or not: its words are in the page. What the page
// shows after it, the engine redraws once it runs.
let afterClear = null;
$("clearRecord").addEventListener("click", () => {
    if (!window.confirm($("clearRecord").dataset.question)) return;
    for (const key of [STORED_RECORD, STORED_DATE, STORED_CYCLE]) storage.remove(key);
    afterClear?.();
});

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
