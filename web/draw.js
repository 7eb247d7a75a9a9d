// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page's own elements, filled with what the engine answered.

export const $ = (id) => document.getElementById(id);

export function element(tag, attributes = {}, text = "") {
    const made = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
    if (text) made.textContent = text;
    return made;
}

// A text that wraps where the device needs: at blanks or between Chinese characters, never
// inside a date, a number, an address or a name written in Latin letters.
export function wrapped(made, text) {
    made.replaceChildren();
    for (const run of text.split(/([!-~]+)/)) {
        made.append(run && /^[!-~]+$/.test(run) ? element("span", { class: "whole" }, run) : run);
    }
    return made;
}

// The help, a paragraph a line.
export function showHelp(paragraphs) {
    const list = $("lines");
    list.replaceChildren(...paragraphs.map((paragraph) => wrapped(element("li"), paragraph)));
    list.classList.add("help");
}

// The six lines in their parts: where the list is narrower than a line, the label goes under
// its dates and then the last date under the first, the same in every line.
export function showLines(lineParts) {
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
export function dressed(made, look) {
    made.classList.add(`colour-${look.colour}`, `pattern-${look.pattern}`);
    if (look.corner) made.dataset.corner = look.corner;
    return made;
}

// A file made on this device and handed to its downloads: nothing leaves it.
export function download(name, text, type) {
    const link = element("a", { download: name });
    link.href = URL.createObjectURL(new Blob([text], { type }));
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// The engine could not load, compile or answer: the page says so and computes nothing.
export function cannotStart() {
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
export function showWords(texts) {
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
