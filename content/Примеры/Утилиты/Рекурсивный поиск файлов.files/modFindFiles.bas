Attribute VB_Name = "modFindFiles"
Option Explicit

' Рекурсивный поиск файлов по маске.
' Dir не допускает вложенных поисков, поэтому подпапки каждого уровня
' сначала собираются в коллекцию, и только потом обходятся.

Private Const ATTR_REPARSE_POINT As Long = &H400

Public gCancelSearch As Boolean     ' выставьте True, чтобы прервать поиск

' sFolder - начальная папка; sMask - маска вида "*.txt";
' result - коллекция, в которую добавляются полные имена найденных файлов.
' Возвращает False, если поиск был прерван.
Public Function FindFiles(ByVal sFolder As String, ByVal sMask As String, _
                          result As Collection) As Boolean
    Dim sName As String, subDirs As Collection, v As Variant
    Dim attr As Long

    On Error GoTo Unreadable
    If Right$(sFolder, 1) <> "\" Then sFolder = sFolder & "\"
    Set subDirs = New Collection

    sName = Dir$(sFolder & sMask, vbNormal Or vbHidden Or vbReadOnly Or vbSystem)
    Do While Len(sName) > 0
        result.Add sFolder & sName
        sName = Dir$
    Loop

    sName = Dir$(sFolder & "*", vbDirectory Or vbHidden Or vbSystem)
    Do While Len(sName) > 0
        If sName <> "." And sName <> ".." Then
            attr = SafeAttr(sFolder & sName)
            If (attr And vbDirectory) = vbDirectory And _
               (attr And ATTR_REPARSE_POINT) = 0 Then
                subDirs.Add sFolder & sName
            End If
        End If
        sName = Dir$
    Loop

    On Error GoTo 0
    For Each v In subDirs
        DoEvents
        If gCancelSearch Then Exit Function
        If Not FindFiles(CStr(v), sMask, result) Then Exit Function
    Next v
    FindFiles = True
    Exit Function

Unreadable:
    ' Папка без права чтения или исчезнувшая во время поиска: пропускаем её.
    FindFiles = Not gCancelSearch
End Function

' Атрибуты файла или 0, если их не удалось прочитать (нет прав, файл исчез).
Private Function SafeAttr(ByVal sPath As String) As Long
    On Error Resume Next
    SafeAttr = GetAttr(sPath)
    If Err.Number <> 0 Then SafeAttr = 0
End Function
