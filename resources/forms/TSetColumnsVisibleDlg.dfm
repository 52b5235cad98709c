object SetColumnsVisibleDlg: TSetColumnsVisibleDlg
  Left = 245
  Top = 108
  BorderStyle = bsDialog
  Caption = 'Установка видимости данных'
  ClientHeight = 262
  ClientWidth = 300
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  object CheckListBox1: TCheckListBox
    Left = 8
    Top = 8
    Width = 284
    Height = 210
    TabOrder = 0
  end
  object OKBtn: TButton
    Left = 136
    Top = 228
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelBtn: TButton
    Left = 217
    Top = 228
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Отмена'
    ModalResult = 2
    TabOrder = 2
  end
end
