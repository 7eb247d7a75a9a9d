// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The month picture, every month and every move the engine's answer.

import { $, dressed, element } from "./draw.js";
import { storedRecord } from "./kept.js";

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
export function focusDay(day) {
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
export function monthPicture(engine, texts) {
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
