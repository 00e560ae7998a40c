/* SPDX-License-Identifier: GPL-3.0-or-later */
// The classroom view's page: shows what the program pushes over the
// WebSocket, and nothing else. It never sends anything that could change
// the program. Received texts (series names are a user's) only ever become
// text nodes, never markup.
"use strict";

(function () {
  const body = document.body;
  const code = body.dataset.code;
  const texts = body.dataset;
  const query = "?code=" + encodeURIComponent(code);
  let socket = null;
  let retryDelay = 1000;
  let revision = -1;
  let stopped = false;

  function element(tag, text) {
    const e = document.createElement(tag);
    if (text !== undefined) e.textContent = text;
    return e;
  }

  function setConnection(text, lost) {
    const c = document.getElementById("connection");
    c.textContent = text;
    c.classList.toggle("lost", !!lost);
  }

  function fill(template, value) {
    return template.replace("%1", value);
  }

  function showStatus(status) {
    document.getElementById("status").textContent = status.text;
  }

  function headerRow(row, headers) {
    row.replaceChildren();
    for (const h of headers) {
      const th = element("th", h);
      th.scope = "col";
      row.appendChild(th);
    }
  }

  function liveRow(row, withBright) {
    const tr = element("tr");
    tr.dataset.barrier = String(row.barrier);
    const th = element("th", row.position);
    th.scope = "row";
    tr.appendChild(th);
    tr.appendChild(element("td", row.dark));
    if (withBright) tr.appendChild(element("td", row.bright));
    return tr;
  }

  let liveWithBright = false;

  function showLive(live) {
    headerRow(document.getElementById("live-headers"), live.headers);
    liveWithBright = live.headers.length > 2;
    const rows = document.getElementById("live-rows");
    rows.replaceChildren();
    for (const row of live.rows) rows.appendChild(liveRow(row, liveWithBright));
  }

  function addLiveRow(row) {
    const rows = document.getElementById("live-rows");
    const old = rows.querySelector('tr[data-barrier="' + row.barrier + '"]');
    const tr = liveRow(row, liveWithBright);
    if (old) old.replaceWith(tr); else rows.appendChild(tr);
  }

  // A diagram is drawn for the width it is shown at (its figure's, less
  // the picture's border): its texts stay 12 CSS pixels high from a phone
  // to a projector instead of shrinking with the picture.
  function diagramSource(img, svg, rev) {
    const width = Math.max(0, Math.floor(img.closest("figure").clientWidth) - 2);
    img.dataset.svg = svg;
    img.dataset.rev = String(rev);
    return svg + query + "&rev=" + rev + "&w=" + width;
  }

  function showDiagramPicture(img, diagram, rev) {
    img.alt = diagram.description || diagram.name;
    img.src = diagramSource(img, diagram.svg, rev);
  }

  function showDiagram(id, diagram, rev) {
    showDiagramPicture(document.getElementById(id + "-diagram"), diagram, rev);
    document.getElementById(id + "-label").textContent = diagram.label || "";
  }

  // A turned phone or a resized window: each diagram drawn anew for its width.
  let resizing = 0;
  window.addEventListener("resize", function () {
    clearTimeout(resizing);
    resizing = setTimeout(function () {
      for (const img of document.querySelectorAll("figure img[data-svg]")) {
        const source = diagramSource(img, img.dataset.svg, img.dataset.rev);
        if (img.src.slice(img.src.indexOf(img.dataset.svg)) !== source) img.src = source;
      }
    }, 200);
  });

  function showSeries(list, flagWidth) {
    const box = document.getElementById("series");
    box.replaceChildren();
    document.getElementById("no-series").hidden = list.length > 0;
    for (const s of list) {
      const section = element("section");
      section.className = "series";
      const heading = element("h3", s.name);
      heading.style.color = s.colour;
      section.appendChild(heading);
      const relations = [s.stRelation, s.vtRelation].filter(function (r) { return r; });
      section.appendChild(element("p", fill(texts.relation,
        relations.length ? relations.join(", ") : texts.noRelation)));
      if (flagWidth) section.appendChild(element("p", fill(texts.flagWidth, flagWidth)));
      // On a phone the columns scroll: the box takes the focus, so that a
      // pupil without a mouse scrolls it with the arrow keys, and is named.
      const scroll = element("div");
      scroll.className = "scroll";
      scroll.tabIndex = 0;
      scroll.setAttribute("role", "region");
      scroll.setAttribute("aria-label", s.name);
      const table = element("table");
      const caption = element("caption", s.name); // the heading says it on screen
      caption.className = "visually-hidden";
      table.appendChild(caption);
      const head = element("thead");
      const hr = element("tr");
      headerRow(hr, s.table.headers);
      head.appendChild(hr);
      table.appendChild(head);
      const tbody = element("tbody");
      for (const cells of s.table.rows) {
        const tr = element("tr");
        cells.forEach(function (cell, i) {
          const c = element(i === 0 ? "th" : "td", cell);
          if (i === 0) c.scope = "row";
          tr.appendChild(c);
        });
        tbody.appendChild(tr);
      }
      table.appendChild(tbody);
      scroll.appendChild(table);
      section.appendChild(scroll);
      const downloads = element("p");
      downloads.className = "downloads";
      downloads.appendChild(element("span", texts.downloads + " "));
      const links = [["kmd", texts.dataFile], ["xls", texts.spreadsheet], ["csv", texts.csv]];
      for (const [kind, label] of links) {
        const a = element("a", label);
        a.href = s.downloads[kind] + query;
        a.setAttribute("download", "");
        downloads.appendChild(a);
      }
      section.appendChild(downloads);
      box.appendChild(section);
    }
  }

  function showTodaysRuns(today) {
    const count = today ? today.count : 0;
    document.getElementById("todays-runs").hidden = count === 0;
    const link = document.getElementById("todays-runs-link");
    link.textContent = fill(texts.todaysRuns, count);
    if (count) link.href = today.csv + query;
    else link.removeAttribute("href");
  }

  // A one-barrier experiment's section, made the first time the program
  // names the experiment: heading, status, table, result and two diagrams.
  // `id` ("fall") names the section and what is in it.
  function experimentSection(id, experiment) {
    let section = document.getElementById(id);
    if (section) return section;
    section = element("section");
    section.id = id;
    section.setAttribute("aria-labelledby", id + "-heading");
    const heading = element("h2");
    heading.id = id + "-heading";
    const status = element("p");
    status.id = id + "-status";
    status.className = "status";
    status.setAttribute("role", "status");
    status.setAttribute("aria-live", "polite");
    const scroll = element("div");
    scroll.className = "scroll";
    scroll.tabIndex = 0;
    scroll.setAttribute("role", "region");
    scroll.setAttribute("aria-labelledby", id + "-heading");
    const table = element("table");
    table.id = id + "-table";
    const caption = element("caption");
    caption.id = id + "-caption";
    const head = element("thead");
    const headers = element("tr");
    headers.id = id + "-headers";
    head.appendChild(headers);
    const rows = element("tbody");
    rows.id = id + "-rows";
    table.append(caption, head, rows);
    scroll.appendChild(table);
    const result = element("p");
    result.id = id + "-result";
    result.className = "result";
    const diagrams = element("div");
    diagrams.className = "diagrams";
    for (const key of Object.keys(experiment.diagrams)) {
      const figure = element("figure");
      const img = element("img");
      img.id = id + "-" + key + "-diagram";
      img.alt = "";
      figure.appendChild(img);
      diagrams.appendChild(figure);
    }
    section.append(heading, status, scroll, result, diagrams);
    document.getElementById("experiments").appendChild(section);
    return section;
  }

  // A one-barrier experiment's window while it is open: its status, its
  // table row by row, its result and its two diagrams.
  function showExperiment(id, experiment) {
    const open = experiment && experiment.shown;
    const existing = document.getElementById(id);
    if (!open) {
      if (existing) existing.hidden = true;
      return;
    }
    const section = experimentSection(id, experiment);
    section.hidden = false;
    document.getElementById(id + "-heading").textContent = experiment.heading;
    document.getElementById(id + "-caption").textContent = experiment.table.caption;
    document.getElementById(id + "-status").textContent = experiment.status.text;
    headerRow(document.getElementById(id + "-headers"), experiment.table.headers);
    const rows = document.getElementById(id + "-rows");
    rows.replaceChildren();
    for (const cells of experiment.table.rows) {
      const tr = element("tr");
      cells.forEach(function (cell, i) {
        const c = element(i === 0 ? "th" : "td", cell);
        if (i === 0) c.scope = "row";
        tr.appendChild(c);
      });
      rows.appendChild(tr);
    }
    document.getElementById(id + "-result").textContent = experiment.result;
    for (const diagram of Object.keys(experiment.diagrams)) {
      showDiagramPicture(document.getElementById(id + "-" + diagram + "-diagram"),
                         experiment.diagrams[diagram], revision);
    }
  }

  // Every experiment the program names; a section whose window went away
  // is hidden.
  function showExperiments(state) {
    const keys = state.experiments || [];
    for (const section of document.getElementById("experiments").children) {
      if (!keys.includes(section.id)) section.hidden = true;
    }
    for (const key of keys) showExperiment(key, state[key]);
  }

  function showState(state) {
    revision = state.revision;
    showStatus(state.status);
    showLive(state.live);
    showDiagram("st", state.diagrams.st, state.revision);
    showDiagram("vt", state.diagrams.vt, state.revision);
    showTodaysRuns(state.todaysRuns);
    showSeries(state.series, state.flagWidthMm);
    showExperiments(state);
  }

  function received(event) {
    let message;
    try { message = JSON.parse(event.data); } catch (e) { return; }
    if (message.type === "state") showState(message);
    else if (message.type === "row") addLiveRow(message.row);
    else if (message.type === "status") showStatus(message.status);
    if (typeof message.revision === "number") revision = message.revision;
  }

  function liveAddress() {
    const scheme = location.protocol === "https:" ? "wss://" : "ws://";
    return scheme + location.host + "/api/live" + query;
  }

  function connect() {
    if (stopped) return;
    socket = new WebSocket(liveAddress());
    socket.onopen = function () {
      retryDelay = 1000;
      setConnection(texts.connected, false);
    };
    socket.onmessage = received;
    socket.onclose = function () {
      socket = null;
      if (stopped) return;
      setConnection(texts.reconnecting, true);
      // A view switched off and on again has a new code: the page asks
      // once, and stops trying with a code that no longer opens anything.
      // Too many wrong codes from this network (a typo of someone behind
      // the same router) is no lost code: the page waits as it is told.
      fetch("/api/state" + query, { cache: "no-store" }).then(function (answer) {
        if (answer.status === 403) {
          stopped = true;
          setConnection(texts.codeInvalid, true);
          return;
        }
        if (answer.status === 429) {
          setConnection(texts.tooManyTries, true);
          const seconds = parseInt(answer.headers.get("Retry-After"), 10);
          setTimeout(connect, (seconds > 0 ? seconds : 60) * 1000);
          return;
        }
        later();
      }, later);
    };
  }

  function later() {
    setTimeout(connect, retryDelay);
    retryDelay = Math.min(retryDelay * 2, 10000);
  }

  connect();
})();
